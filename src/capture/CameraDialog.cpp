#include "capture/CameraDialog.h"

#include <SDL.h>
#include <backends/imgui_impl_opengl3.h>
#include <backends/imgui_impl_sdl.h>
#include <imgui.h>
#include <imgui_internal.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "base/Texts.h"
#include "capture/CameraChoice.h"
#include "render/RenderDevice.h"
#include "text3d/FontFinder.h"

namespace {

// The dialog's typeface, as its template names it, and its height at the
// smallest scale.
constexpr const char* kDialogFont = "MS Sans Serif";
constexpr float kFontPixels = 13.0f;

// The letters the dialog can draw: Latin with its accented and Central
// European letters (Polish among them).
constexpr ImWchar kGlyphRanges[] = {0x0020, 0x017F, 0};

// The dialog's texts in the player's language.
struct DialogTexts {
  const char* title = Translate(CCameraChoice::kTitle);
  const char* device = Translate("Device");
  const char* mode = Translate("Mode");
  const char* ok = Translate("OK");
  const char* cancel = Translate("Cancel");
};

// The dialog's face through fontconfig: one that has every letter of its
// texts, rasterised for `scale`. ImGui's own font stands in when fontconfig
// finds nothing.
void LoadDialogFont(const DialogTexts& texts, float scale) {
  const std::string shown = std::string(texts.title) + texts.device + texts.mode + texts.ok + texts.cancel;
  const FontFile face = CFontFinder("./res/fonts.conf").Find(kDialogFont, shown);
  ImFontConfig config;
  config.FontNo = face.index;
  ImGuiIO& io = ImGui::GetIO();
  if (face.path.empty() ||
      !io.Fonts->AddFontFromFileTTF(face.path.c_str(), kFontPixels * scale, &config, kGlyphRanges)) {
    io.Fonts->AddFontDefault();
  }
}

// How much the dialog is enlarged on a tall screen.
float ScaleFor(const Viewport& viewport) { return std::max(1.0f, static_cast<float>(viewport.height) / 400.0f); }

// The dialog's layout in dialog units (186 x 94), scaled to pixels.
// Places are measured from below the caption bar.
struct Layout {
  float unitX, unitY, captionHeight;
  ImVec2 At(float x, float y) const { return {x * unitX, y * unitY}; }
  ImVec2 Place(float x, float y) const { return {x * unitX, captionHeight + y * unitY}; }
};

// The keyboard's way through the dialog: Tab and Shift+Tab step through the
// device list, the mode list, OK and Cancel in that order (Dear ImGui 1.86
// only tabs between text fields), the arrows move as Dear ImGui's keyboard
// navigation does. Filled in while the dialog is drawn, read between frames.
class KeyboardFocus {
 public:
  enum Control { kDevices, kModes, kOk, kCancel, kControls };

  // Right after `control` was drawn as the item `id`: records it, and moves
  // the focus there when a Tab asked for it.
  void Drawn(Control control, ImGuiID id) {
    ids[control] = id;
    if (request != control || ImGui::GetItemID() != id) return;
    ImGui::SetFocusID(id, ImGui::GetCurrentWindow());
    GImGui->NavDisableHighlight = false;
    GImGui->NavDisableMouseHover = true;
    request = -1;
  }
  // At the end of a frame: which control has the focus.
  void FrameDone() {
    const auto at = std::find(ids.begin(), ids.end(), GImGui->NavId);
    focused = at == ids.end() ? -1 : static_cast<int>(at - ids.begin());
  }
  // Tab (+1) or Shift+Tab (-1): from no visible focus to the first or the last control.
  void Step(int direction) {
    if (!Shown()) request = direction > 0 ? kDevices : kCancel;
    else request = (focused + direction + kControls) % kControls;
  }
  // Whether a control shows the keyboard's highlight.
  bool Shown() const { return focused >= 0 && !GImGui->NavDisableHighlight; }

 private:
  std::array<ImGuiID, kControls> ids{};
  int focused = -1;
  int request = -1;
};

// A drop-down list; calls `choose` with the item the player picks. The list
// opens at the selected item.
template <typename Choose>
void DropDown(const char* id, KeyboardFocus::Control control, KeyboardFocus& focus, const Layout& layout, float x,
              float y, float width, const std::vector<std::string>& items, int selected, Choose choose) {
  ImGui::SetCursorPos(layout.Place(x, y));
  ImGui::SetNextItemWidth(width * layout.unitX);
  const char* preview = selected >= 0 && selected < static_cast<int>(items.size()) ? items[selected].c_str() : "";
  const ImGuiID comboId = ImGui::GetID(id);
  const bool open = ImGui::BeginCombo(id, preview);
  if (!open) {
    focus.Drawn(control, comboId);
    return;
  }
  for (int i = 0; i < static_cast<int>(items.size()); ++i) {
    ImGui::PushID(i);
    if (ImGui::Selectable(items[i].c_str(), i == selected)) choose(i);
    if (i == selected) ImGui::SetItemDefaultFocus();
    ImGui::PopID();
  }
  ImGui::EndCombo();
}

void Label(const Layout& layout, float x, float y, const char* text) {
  ImGui::SetCursorPos(layout.Place(x, y));
  ImGui::TextUnformatted(text);
}

bool Button(KeyboardFocus::Control control, KeyboardFocus& focus, const Layout& layout, float x, float y,
            const char* text) {
  ImGui::SetCursorPos(layout.Place(x, y));
  const bool pressed = ImGui::Button(text, layout.At(50, 14));
  focus.Drawn(control, ImGui::GetItemID());
  return pressed;
}

void DrawDialog(CCameraChoice& choice, const DialogTexts& texts, KeyboardFocus& focus, const Layout& layout,
                const ImVec2& screen) {
  const ImVec2 size = layout.Place(186, 94);
  ImGui::SetNextWindowSize(size);
  ImGui::SetNextWindowPos({(screen.x - size.x) / 2, (screen.y - size.y) / 2});
  ImGui::Begin(CCameraChoice::kCaption, nullptr,
               ImGuiWindowFlags_NoResize | ImGuiWindowFlags_NoMove | ImGuiWindowFlags_NoCollapse |
                   ImGuiWindowFlags_NoSavedSettings);
  Label(layout, 69, 6, texts.title);
  Label(layout, 26, 25, texts.device);
  DropDown("##devices", KeyboardFocus::kDevices, focus, layout, 64, 23, 115, choice.GetDeviceItems(),
           choice.GetDeviceSelection(), [&](int item) { choice.SelectDevice(item); });
  Label(layout, 26, 41, texts.mode);
  DropDown("##modes", KeyboardFocus::kModes, focus, layout, 65, 42, 114, choice.GetModeItems(),
           choice.GetModeSelection(), [&](int item) { choice.SelectMode(item); });
  if (Button(KeyboardFocus::kOk, focus, layout, 64, 73, texts.ok)) choice.PressOk();
  if (Button(KeyboardFocus::kCancel, focus, layout, 129, 73, texts.cancel)) choice.PressCancel();
  ImGui::End();
}

// Enter works the highlighted control as Space does (opens a list, picks
// from an open one, presses a button); with nothing highlighted it is OK.
// Escape closes an open list, else cancels. Returns whether the event was a
// key: Dear ImGui 1.86 reads keys as held down or not once a frame, so the
// next key waits for a frame.
bool HandleEvent(SDL_Event event, CCameraChoice& choice, KeyboardFocus& focus) {
  if (event.type == SDL_QUIT) choice.PressCancel();
  const bool key = event.type == SDL_KEYDOWN || event.type == SDL_KEYUP;
  const bool down = event.type == SDL_KEYDOWN;
  const SDL_Keycode sym = event.key.keysym.sym;
  const bool popupOpen = ImGui::IsPopupOpen("", ImGuiPopupFlags_AnyPopup);
  if (key && (sym == SDLK_RETURN || sym == SDLK_KP_ENTER)) {
    if (down && !popupOpen && !focus.Shown()) {
      choice.PressOk();
      return true;
    }
    event.key.keysym.scancode = SDL_SCANCODE_SPACE;
    event.key.keysym.sym = SDLK_SPACE;
  } else if (key && sym == SDLK_TAB) {
    if (down && !popupOpen) focus.Step((event.key.keysym.mod & KMOD_SHIFT) ? -1 : 1);
    return true;
  } else if (down && sym == SDLK_ESCAPE && !popupOpen) {
    choice.PressCancel();
  }
  ImGui_ImplSDL2_ProcessEvent(&event);
  return key;
}

// One frame of the dialog, drawn through the game's device into its drawing
// area (ImGui's coordinates are moved there from the window's). The font was
// rasterised for `fontScale`.
void DrawFrame(CCameraChoice& choice, const DialogTexts& texts, KeyboardFocus& focus, float fontScale) {
  const Viewport viewport = d3dDevice->GetViewport();
  ImGui_ImplOpenGL3_NewFrame();
  ImGui_ImplSDL2_NewFrame();
  ImGuiIO& io = ImGui::GetIO();
  io.DisplaySize = {static_cast<float>(viewport.width), static_cast<float>(viewport.height)};
  io.DisplayFramebufferScale = {1, 1};
  io.MousePos = {io.MousePos.x - static_cast<float>(viewport.x), io.MousePos.y - static_cast<float>(viewport.y)};
  const float scale = ScaleFor(viewport);
  io.FontGlobalScale = scale / fontScale;
  ImGui::NewFrame();
  DrawDialog(choice, texts, focus, {1.5f * scale, 1.625f * scale, ImGui::GetFrameHeight()}, io.DisplaySize);
  ImGui::Render();
  focus.FrameDone();
  d3dDevice->Clear(0xFF000000, 1.0f);
  d3dDevice->BeginScene();
  ImGui_ImplOpenGL3_RenderDrawData(ImGui::GetDrawData());
  d3dDevice->EndScene();
  d3dDevice->Present();
}

}  // namespace

bool RunCameraDialog(SDL_Window* window, CCameraChoice& choice) {
  if (!window || !d3dDevice) return false;
  IMGUI_CHECKVERSION();
  ImGui::CreateContext();
  ImGui::GetIO().IniFilename = nullptr;
  ImGui::GetIO().ConfigFlags |= ImGuiConfigFlags_NavEnableKeyboard;
  ImGui::StyleColorsClassic();
  const DialogTexts texts;
  const float fontScale = ScaleFor(d3dDevice->GetViewport());
  LoadDialogFont(texts, fontScale);
  ImGui_ImplSDL2_InitForOpenGL(window, SDL_GL_GetCurrentContext());
  ImGui_ImplOpenGL3_Init("#version 330 core");
  KeyboardFocus focus;
  while (choice.GetOutcome() == CCameraChoice::Outcome::Open) {
    DrawFrame(choice, texts, focus, fontScale);
    SDL_Event event;
    while (choice.GetOutcome() == CCameraChoice::Outcome::Open && SDL_PollEvent(&event))
      if (HandleEvent(event, choice, focus)) break;
    SDL_Delay(10);
  }
  ImGui_ImplOpenGL3_Shutdown();
  ImGui_ImplSDL2_Shutdown();
  ImGui::DestroyContext();
  return choice.GetOutcome() == CCameraChoice::Outcome::Ok;
}
