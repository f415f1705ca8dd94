#pragma once

// A host standing in for the main window under a panel built on its own:
// it answers the save question as told and counts what it was asked.
#include "app/PanelHost.h"
#include "app/Prompter.h"

namespace testing_support {

class FakeHost : public PanelHost {
public:
    Prompter& prompter() override { return scripted; }
    bool Ask_To_Save() override
    {
        ++saveQuestions;
        return allowReplace;
    }
    void SaveAs1Click() override { ++saveAsCalls; }
    void Hide_Controls() override {}
    void Show_Controls() override {}

    ScriptedPrompter scripted;
    bool allowReplace = true;
    int saveQuestions = 0;
    int saveAsCalls = 0;
};

} // namespace testing_support
