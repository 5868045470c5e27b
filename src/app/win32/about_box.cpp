#include "app/win32/about_box.h"

#include "app/main_window_ids.h"
#include "app/main_window_layout.h"
#include "app/program_facts.h"
#include "platform/win32/window_text.h"

namespace qrv {

namespace {

constexpr TControlSpec kAboutControls[] = {
    kTextWindowLabel,
    TextWindowField(),
    TextWindowButton(ids::btnCopy),
    TextWindowButton(ids::btnPutAway, L"OK", BS_DEFPUSHBUTTON),
};

constexpr TFormDesign kAboutDesign = {
    .className = ids::kAboutBoxClass,
    .style = WS_CAPTION | WS_SYSMENU,
    .exStyle = WS_EX_DLGMODALFRAME,
    .width = kAboutClientWidth,
    .height = kAboutClientHeight,
    .layout = kAboutLayout,
    .controls = kAboutControls,
};

} // namespace

TfrmAbout::TfrmAbout(HINSTANCE instance, HWND owner, TProgramSession& session)
    : TTextWindow(kAboutDesign, instance, owner), session_(session) {}

void TfrmAbout::Refresh() {
    const TRunTexts& texts = session_.keptTexts.run;
    SetCaptions(texts.aboutTitle, texts.aboutLabel, texts.copy, u"OK");
    SetWindowTextOf(TextField(), AboutText(ProgramFacts(session_), texts));
}

} // namespace qrv
