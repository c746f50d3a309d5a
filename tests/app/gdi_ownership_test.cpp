// Graphics objects belong to whoever creates them and are freed by it: nothing grows from one run
// of the window to the next, nor while labels are restyled. Counted by the stand-in.
#ifndef _WIN32
#include "velastro_window.h"

namespace {

struct GdiCounts {
    size_t nObjects;
    size_t nDCs;
};

GdiCounts Count() {
    return {SimGdiObjectCount(), SimDCCount()};
}

}  // namespace

class GdiOwnership : public VelastroWindow {
protected:
    void SetUp() override {}

    // One whole program run: start, open and close the About box, close the window.
    void RunOnce() {
        Start();
        User().Click(IDC_ABOUT);
        User().Click(IDOK);
        User().Click(IDOK);
        ASSERT_TRUE(User().WaitForExit());
        m_pDriver.reset();
    }
};

TEST_F(GdiOwnership, NothingGrowsFromOneRunToTheNext) {
    RunOnce();
    GdiCounts first = Count();
    RunOnce();
    RunOnce();
    GdiCounts third = Count();
    EXPECT_EQ(third.nObjects, first.nObjects);
    EXPECT_EQ(third.nDCs, first.nDCs);
}

TEST_F(GdiOwnership, RestylingALabelReplacesItsFontAndBrush) {
    Start();
    size_t nBefore = User().OnUiRead<size_t>([] { return SimGdiObjectCount(); });
    size_t nAfter = User().OnUiRead<size_t>([] {
        for (int i = 0; i < 50; ++i) {
            Dlg().m_lblAnswer.SetBkColor(RGB(i, 0, 0), TRUE);
            Dlg().m_lblAnswer.SetFontFace("Arial", 7 + i % 5, TRUE);
            Dlg().m_lblAnswer.SetBold(i % 2, TRUE);
        }
        return SimGdiObjectCount();
    });
    EXPECT_EQ(nAfter, nBefore);
}
#endif
