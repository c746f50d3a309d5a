// Graphics objects belong to whoever creates them and are freed by it: nothing grows from one run
// of the window to the next, nor while labels are restyled. Counted by the stand-in.
#ifndef _WIN32
#include "velastro_window.h"

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
    const auto first = std::make_tuple(SimGdiObjectCount(), SimDCCount());
    RunOnce();
    RunOnce();
    EXPECT_EQ(std::make_tuple(SimGdiObjectCount(), SimDCCount()), first) << "objects and DCs";
}

TEST_F(GdiOwnership, RestylingALabelReplacesItsFontAndBrush) {
    Start();
    User().OnUi([] {
        const size_t nBefore = SimGdiObjectCount();
        for (int i = 0; i < 50; ++i) {
            Dlg().m_lblAnswer.SetBkColor(RGB(i, 0, 0), TRUE);
            Dlg().m_lblAnswer.SetFontFace("Arial", 7 + i % 5, TRUE);
            Dlg().m_lblAnswer.SetBold(i % 2, TRUE);
        }
        EXPECT_EQ(SimGdiObjectCount(), nBefore);
    });
}
#endif
