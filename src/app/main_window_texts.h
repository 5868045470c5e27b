#pragma once
// The program texts on the main window: its captions, hints and kept texts, and the names of
// the subfolder criteria, put in from the text table.

#include "cadlib/sub_dir.h"
#include "texts/program_texts.h"
#include "texts/string_hash.h"

#include <string>

namespace qrv {

// Where ApplyProgramTexts puts the texts. Control identifiers are those of the main window.
class TProgramTextTargets {
public:
    virtual ~TProgramTextTargets() = default;
    // The application title, 8-bit; the main window's caption then becomes the title.
    virtual void SetApplicationTitle(const std::string& title) = 0;
    virtual void SetCaption(int control, const std::u16string& caption) = 0;
    // The starting panel's caption is 8-bit.
    virtual void SetStartingPanelCaption(const std::string& caption) = 0;
    virtual void SetHint(int control, const std::u16string& hint) = 0;
    virtual std::u16string Hint(int control) const = 0;
    virtual void SetExportButtonLabel(const std::u16string& label) = 0;
};

void ApplyProgramTexts(const TStringHash& texts, TProgramTextTargets& targets, TKeptTexts& kept,
                       TSubDirCaptions& subDirCaptions);

} // namespace qrv
