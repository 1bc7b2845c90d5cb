#include <stdio.h>
/* a "comment"
   on two lines */
int main(void) {
  printf("it's \"quoted\"\n"); // done
  return 0;
}
