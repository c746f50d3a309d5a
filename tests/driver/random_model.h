// The random user's model: the program's own state as its described behaviour predicts it, step
// by step. What the platform decides (what typing does to an edit, where Tab goes) it reads.
#pragma once

#include <array>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "random_user.h"

class CWindowModel {
public:
    enum EMode { kMain, kMinimised, kAbout, kBox, kFileDialog, kEnded };

    explicit CWindowModel(std::vector<std::string> vecPaths);  // the pool files' full paths
    void StartProgram();  // a new program run: only the files stay
    EMode Mode() const;
    bool Shows(int nId) const;
    bool Allows(const Step& step) const;
    // before is the view the step started from; bTaken what the port said of a file answer.
    void Apply(const Step& step, const WindowView& before, bool bTaken);
    std::string Check(const WindowView& view) const;  // empty, or the first difference
    void Settle(const WindowView& view);              // takes over what typing put into a field

private:
    struct FileRecord {
        std::string strDigest;  // FileDigest of the bytes, or "<folder>"
        bool bRefusesSave;
        std::optional<std::string> loads;  // the formula a load takes; nullopt keeps it
        bool bTooLong;
    };
    // A prompt the program is waiting on, and what it does once answered.
    struct Prompt {
        bool bFile, bSave;
        std::string strText;
        std::function<void(bool bTaken, int nFile)> fnThen;
    };

    void Command(int nId);
    void ExchangeIn(const std::function<void()>& fnThen, bool bRegardless = true);
    void ExchangeOut();
    void Swap();
    void Delete();
    void Append(const std::string& strText);
    void SelectShape(int nRow);
    void Calculate();
    void Ask(const std::string& strText, const std::function<void()>& fnThen);
    bool Savable(const std::string& strName) const;
    void Saved(bool bTaken, int nFile);
    void Loaded(bool bTaken, int nFile);
    std::string CheckPrompt(const WindowView& view) const;
    std::string CheckContent(const WindowView& view) const;
    std::string CheckFiles(const WindowView& view) const;

    std::vector<std::string> m_vecPaths;
    std::map<std::string, FileRecord> m_mapFiles;
    bool m_bEnded = false, m_bMinimised = false, m_bAbout = false, m_bAnswerShown = true;
    int m_nShape = -1;     // the selected row, -1 before any
    int m_nFreeField = 0;  // the field the last step typed into
    std::string m_strFormula, m_strUndo, m_strAnswer, m_strFileName, m_strCaption;
    std::array<double, 10> m_adValues = {};
    std::array<std::string, 10> m_astrFields;
    std::optional<Prompt> m_prompt;
};

// The formula file a save writes, and the number texts, as their rules describe them.
std::string FormulaFileBytes(const std::string& strFormula, const std::array<double, 10>& values);
std::string FixedText(double dValue);                         // "%f"
std::string GeneralText(double dValue);                       // "%.15g"
bool ReadNumber(const std::string& strText, double& dValue);  // "%lf"
// A text as a C++ literal: quotes and control characters escaped.
std::string Quoted(const std::string& strText);
