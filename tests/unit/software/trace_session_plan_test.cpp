#include <gtest/gtest.h>

#include "software/etw/TraceSessionPlan.h"

namespace vsm {
namespace {

TEST(TraceSessionPlan, SessionKindByWindowsVersion) {
  struct Case {
    uint32_t major, minor;
    TraceSessionKind kind;
  };
  const Case cases[] = {
      {5, 1, TraceSessionKind::None},
      {5, 2, TraceSessionKind::None},
      {6, 0, TraceSessionKind::KernelLogger},
      {6, 1, TraceSessionKind::KernelLogger},
      {6, 2, TraceSessionKind::PrivateSystemLogger},
      {6, 3, TraceSessionKind::PrivateSystemLogger},
      {10, 0, TraceSessionKind::PrivateSystemLogger},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ChooseTraceSession(c.major, c.minor), c.kind) << c.major << "." << c.minor;
}

TEST(TraceSessionPlan, OurSessionsAreRealTimeNetworkOnly) {
  TraceSessionSettings kernel = OurTraceSettings(TraceSessionKind::KernelLogger);
  EXPECT_EQ(kernel.logFileMode, 0x100u);
  EXPECT_EQ(kernel.enableFlags, 0x10000u);
  EXPECT_FALSE(kernel.hasLogFile);
  TraceSessionSettings own = OurTraceSettings(TraceSessionKind::PrivateSystemLogger);
  EXPECT_EQ(own.logFileMode, 0x100u | 0x02000000u);
  EXPECT_EQ(own.enableFlags, 0x10000u);
}

TEST(TraceSessionPlan, OnlyOurOwnLeftoverSessionIsEverStopped) {
  const TraceSessionSettings ours = OurTraceSettings(TraceSessionKind::KernelLogger);
  // A private session carries our name: whatever it holds, it is ours from a killed run.
  EXPECT_EQ(DecideOnExistingSession(TraceSessionKind::PrivateSystemLogger, TraceSessionSettings{}),
            ExistingSession::StopAndRecreate);
  EXPECT_EQ(DecideOnExistingSession(TraceSessionKind::KernelLogger, ours), ExistingSession::StopAndRecreate);
  TraceSessionSettings raised = ours;  // the system may raise the buffer counts
  raised.minimumBuffers = 16;
  raised.maximumBuffers = 64;
  EXPECT_EQ(DecideOnExistingSession(TraceSessionKind::KernelLogger, raised),
            ExistingSession::StopAndRecreate);

  TraceSessionSettings moreFlags = ours;
  moreFlags.enableFlags |= 0x1;  // process events too: another tool's
  TraceSessionSettings toFile = ours;
  toFile.hasLogFile = true;
  TraceSessionSettings otherBuffers = ours;
  otherBuffers.bufferSizeKb = 64;
  TraceSessionSettings fileMode = ours;
  fileMode.logFileMode = 0x1;
  for (const TraceSessionSettings& foreign :
       {moreFlags, toFile, otherBuffers, fileMode, TraceSessionSettings{}}) {
    EXPECT_EQ(DecideOnExistingSession(TraceSessionKind::KernelLogger, foreign), ExistingSession::LeaveAlone);
  }
  EXPECT_EQ(DecideOnExistingSession(TraceSessionKind::None, ours), ExistingSession::LeaveAlone);
}

}  // namespace
}  // namespace vsm
