// A stand-in for the user behind the framework's prompts: keeps each request and answers OK, or
// Cancel for a file dialog when told to. Installed for the life of the object.
#pragma once

#include <functional>
#include <string>

#include "framework.h"

class CRecordingPrompts : public CUserPrompts {
public:
    CRecordingPrompts() : m_pPrevious(AfxSetUserPrompts(this)) {}
    ~CRecordingPrompts() override { AfxSetUserPrompts(m_pPrevious); }

    int ShowMessageBox(const CMessageBoxRequest& request) override {
        m_box = request;
        ++m_nBoxes;
        return IDOK;
    }
    bool ShowFileDialog(CFileDialogRequest& request) override {
        m_file = request;
        if (m_onFileDialog) m_onFileDialog();
        if (m_bAnswerOK) request.strResultPath = m_strAnswer;
        return m_bAnswerOK;
    }

    bool m_bAnswerOK = true;
    std::string m_strAnswer;
    int m_nBoxes = 0;
    CMessageBoxRequest m_box = {};
    CFileDialogRequest m_file = {};
    std::function<void()> m_onFileDialog;  // runs while the file dialog is open

private:
    CUserPrompts* m_pPrevious;
};
