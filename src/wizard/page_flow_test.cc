#include "wizard/page_flow.h"

#include <gtest/gtest.h>

#include <vector>

namespace xa {
namespace {

using P = TPage;

TEST(PagesTest, InstallListsSixToEightPagesAndUninstallThree) {
  EXPECT_EQ(InstallPages(false, false), (std::vector<P>{P::kStart, P::kLicense, P::kFolder,
                                                        P::kReady, P::kProgress, P::kStart}));
  EXPECT_EQ(InstallPages(true, false), (std::vector<P>{P::kStart, P::kInfo, P::kLicense, P::kFolder,
                                                       P::kReady, P::kProgress, P::kStart}));
  EXPECT_EQ(InstallPages(true, true),
            (std::vector<P>{P::kStart, P::kInfo, P::kLicense, P::kFolder, P::kReady, P::kProgress,
                            P::kNews, P::kStart}));
  EXPECT_EQ(UninstallPages(), (std::vector<P>{P::kStart, P::kProgress, P::kStart}));
}

// One step of a walk: the move, the state it is made in, and what must follow.
struct Step {
  bool forward;
  bool accepted;
  bool run_done;
  P page;
  TStartPart part;
  TButtonStates buttons;  // prev, next, cancel, finish mode
  bool run;
};

void Walk(TPageFlow& flow, const std::vector<Step>& steps) {
  for (size_t i = 0; i < steps.size(); ++i) {
    const Step& s = steps[i];
    SCOPED_TRACE("step " + std::to_string(i));
    const TPageEntry entry =
        s.forward ? flow.Next(s.accepted, s.run_done) : flow.Prev(s.accepted, s.run_done);
    EXPECT_EQ(entry.Page, s.page);
    EXPECT_EQ(entry.StartPart, s.part);
    EXPECT_EQ(entry.Run, s.run);
    EXPECT_EQ(entry.Scan, s.page == P::kFolder);
    EXPECT_EQ(entry.Summary, s.page == P::kReady);
    EXPECT_EQ(flow.Buttons(), s.buttons);
    if (entry.Run)
      flow.RunFinished();
  }
}

constexpr TStartPart kNo = TStartPart::kNone;
constexpr TStartPart kWelcome = TStartPart::kWelcome;
constexpr TStartPart kFinish = TStartPart::kFinish;

TEST(PageFlowTest, InstallWalkForwardAndBackKeepsTheButtonRules) {
  TPageFlow flow(InstallPages(true, true));
  Walk(flow, {
                 {true, false, false, P::kStart, kWelcome, {false, true, true, false}, false},
                 {true, false, false, P::kInfo, kNo, {true, true, true, false}, false},
                 {true, false, false, P::kLicense, kNo, {true, false, true, false}, false},
                 {false, false, false, P::kInfo, kNo, {true, true, true, false}, false},
                 {true, true, false, P::kLicense, kNo, {true, true, true, false}, false},
                 {true, true, false, P::kFolder, kNo, {true, true, true, false}, false},
                 {true, true, false, P::kReady, kNo, {true, true, true, false}, false},
                 {true, true, false, P::kProgress, kNo, {false, false, false, false}, true},
                 {true, true, true, P::kNews, kNo, {true, true, false, false}, false},
                 {true, true, true, P::kStart, kFinish, {true, false, true, true}, false},
                 {false, true, true, P::kNews, kNo, {true, true, true, true}, false},
                 {false, true, true, P::kProgress, kNo, {false, true, false, true}, false},
             });
  EXPECT_EQ(flow.PageIndex(), 5);
}

TEST(PageFlowTest, UninstallRunsOnceAndFinishStaysAfterSteppingBack) {
  TPageFlow flow(UninstallPages());
  Walk(flow, {
                 {true, false, false, P::kStart, kWelcome, {false, true, true, false}, false},
                 {true, false, false, P::kProgress, kNo, {false, false, false, false}, true},
                 {true, false, true, P::kStart, kFinish, {true, false, true, true}, false},
                 {false, false, true, P::kProgress, kNo, {false, true, false, true}, false},
             });
}

TEST(PageFlowTest, LicenseChoiceGatesNextAndMovesStopAtTheEnds) {
  TPageFlow flow(InstallPages(false, false));
  EXPECT_EQ(flow.Prev(false, false).Page, P::kStart);
  EXPECT_EQ(flow.PageIndex(), -1);
  flow.Next(false, false);
  flow.Next(false, false);
  ASSERT_EQ(flow.Pages()[flow.PageIndex()], P::kLicense);
  flow.LicenseChoice(true);
  EXPECT_TRUE(flow.Buttons().NextEnabled);
  flow.LicenseChoice(false);
  EXPECT_FALSE(flow.Buttons().NextEnabled);
  for (int i = 0; i < 10; ++i)
    flow.Next(true, true);
  EXPECT_EQ(flow.PageIndex(), 5);
}

}  // namespace
}  // namespace xa
