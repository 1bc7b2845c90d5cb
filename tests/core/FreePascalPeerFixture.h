#pragma once
// The streams the Free Pascal peer writes (tests/peer), made once for a test suite, and a way to
// run the peer's reader on our bytes.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "tests/support/TestFiles.h"

namespace dravik {

class TFreePascalPeerTest : public testing::Test {
 protected:
  static void SetUpTestSuite();
  static void TearDownTestSuite();

  // A file peer_write made ("all.bin", "all.res", ...), its bytes or its path.
  static std::string Peer(const std::string& name);
  static std::string PeerFile(const std::string& name);
  // Runs peer_read COMMAND on input bytes (naming a resource when given) and answers its output.
  static std::string PeerRead(const std::string& command, const std::string& input,
                              const std::string& resourceName = "");

 private:
  static std::unique_ptr<TTempDir> fDir;
};

}  // namespace dravik
