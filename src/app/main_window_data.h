#pragma once
// What the main window owns and its start-up fills in and its shutdown releases, as the
// portable sequences reach it. The window keeps the objects; this only refers to them.

#include "cadlib/basket.h"
#include "export/export_choices.h"
#include "texts/program_texts.h"
#include "texts/string_hash.h"

#include <cstdint>
#include <memory>

namespace qrv {

struct MainWindowData {
    std::unique_ptr<TStringHash>& texts; // the text table, created by the start-up
    KeptTexts& keptTexts;
    BasketParameters& basket;
    TExportChoices& choices;
    int32_t& startTimeout; // FStartTimeout, seconds
};

} // namespace qrv
