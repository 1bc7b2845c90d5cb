#pragma once
// Whether the code runs inside a development environment. Without a host it is false; the
// environment's host switches it on before it loads any form.

namespace dravik {

bool IsDesigning();
void SetDesigningHost(bool active);

}  // namespace dravik
