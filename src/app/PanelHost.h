#pragma once

class Prompter;

// What a panel asks of the window hosting it: the prompts, and the save
// question before the image on screen is replaced. Panels never reach each
// other; the host wires what one panel's work means for another.
class PanelHost {
public:
    virtual ~PanelHost() = default;
    virtual Prompter& prompter() = 0;
    // False when the user chose to save and the save failed: the command
    // that asked must stop.
    virtual bool Ask_To_Save() = 0;
    // Save As, asking for the name.
    virtual void SaveAs1Click() = 0;
    // Every panel's controls that playback or a job locks, locked or
    // given back; the host decides about the ones needing more than that.
    virtual void Hide_Controls() = 0;
    virtual void Show_Controls() = 0;
    // Whether the frames' preview is playing; a host without one plays none.
    virtual bool Preview_Running() const { return false; }
};
