#include "tests/core/FreePascalPeerFixture.h"

#include <vector>

namespace dravik {

namespace {
const std::string kPeerWrite = DRAVIK_PEER_DIR "/peer_write";
const std::string kPeerRead = DRAVIK_PEER_DIR "/peer_read";
}  // namespace

std::unique_ptr<TTempDir> TFreePascalPeerTest::fDir;

void TFreePascalPeerTest::SetUpTestSuite() {
  fDir = std::make_unique<TTempDir>();
  TRunResult run = RunProgram({kPeerWrite, fDir->Path()});
  ASSERT_EQ(run.ExitCode, 0) << run.Err;
}

void TFreePascalPeerTest::TearDownTestSuite() {
  fDir.reset();
}

std::string TFreePascalPeerTest::Peer(const std::string& name) {
  return ReadFileBytes(PeerFile(name));
}

std::string TFreePascalPeerTest::PeerFile(const std::string& name) {
  return fDir->File(name);
}

std::string TFreePascalPeerTest::PeerRead(const std::string& command, const std::string& input,
                                          const std::string& resourceName) {
  TTempDir dir;
  WriteFileBytes(dir.File("in"), input);
  std::vector<std::string> argv{kPeerRead, command, dir.File("in")};
  if (!resourceName.empty()) argv.push_back(resourceName);
  argv.push_back(dir.File("out"));
  TRunResult run = RunProgram(argv);
  EXPECT_EQ(run.ExitCode, 0) << command << ": " << run.Err;
  return run.ExitCode == 0 ? ReadFileBytes(dir.File("out")) : "";
}

}  // namespace dravik
