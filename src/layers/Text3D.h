#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "base/Results.h"
#include "layers/TextureLayer.h"
#include "render/Matrix.h"
#include "render/RenderDevice.h"

// Extruded 3D lettering: one or more lines of text, each a solid mesh of its
// glyphs lit by the scene's lights and coloured by a material, of which one
// line is shown at a time. Placed in the virtual 1024 x 768 screen (y down);
// one em of the typeface is one world unit before `scale`. It can spin about
// an axis (a step per frame) or blink. Uses none of the texture layer's
// picture or quad. Meshes are made on `d3dDevice`. Frame thread only.
class C3DText : public CTextureLayer {
 public:
  // `fontName`: the game's name of the typeface (null or unknown: the default
  // face). `fontSize` sets only how finely curves are cut; `depth` is the
  // extrusion in ems.
  C3DText(const char* fontName, int32_t fontSize, float depth);
  ~C3DText() override;

  // Blinks (toggles visibility every 150 ms) or, when spinning, turns by one step.
  void Update() override;
  // Draws the current line: 1 drawn (or hidden), 0 when there is no such line.
  int32_t Render(RenderDevice* device) override;
  // Hiding also stops the blinking.
  void SetVisible(int32_t visible) override;

  // Replaces line `line`, or appends it when `line` equals the number of
  // lines. S_OK; E_FAIL for a line further on; E_POINTER without a device
  // (a non-empty text needs one); the mesh creation's failure otherwise. A
  // failure changes nothing. Null or empty text makes an empty line.
  Result SetText(const char* text, uint32_t line);
  void SetLine(uint32_t line);
  // Virtual units; moves the text's baseline origin.
  void SetPosition(int32_t x, int32_t y);
  void GetPosition(float& x, float& y) const;
  // Colour channels 0..1; `a` has no effect on 3D text.
  void SetColor(float r, float g, float b, float a);
  void SetScale(float s);
  void SetSpinAxis(float x, float y, float z);
  // Radians added to the angle at every rebuild; no rebuild of its own.
  void SetSpinSpeed(float v);
  // No rebuild of its own: owners follow it with Rebuild.
  void SetAngle(float a);
  // Shows the text upright and, when `on`, starts toggling it every 150 ms.
  void SetBlink(int32_t on);
  // Half the current line's width in virtual units (0 without such a line),
  // from its width as measured by the layout face.
  int32_t GetHalfWidth() const;
  // Moves the text so that it stands in the middle of the screen's width.
  void CenterHorizontally();
  // Advances the angle by the spin speed (kept in [0, 2 pi]) and recomputes
  // the world matrix from position, scale, axis and angle.
  void Rebuild();

  uint32_t LineCount() const { return static_cast<uint32_t>(meshes.size()); }
  float GetAngle() const { return angle; }
  float GetSpinSpeed() const { return spinSpeed; }
  const Material& GetMaterial() const { return material; }

 protected:
  float halfWidthFactor = 7.15f;  // virtual units per measured pixel, times scale
  float spinSpeed = 0.0f;
  int32_t blinking = 0;
  float posX = 100.0f, posY = 300.0f;
  float angle = 0.0f;
  Vec3 axis{1.0f, 0.0f, 0.0f};
  float scale = 1.0f;
  float colorB = 1.0f, colorG = 0.0f, colorR = 0.0f;
  float worldY = 0.0f, worldX = 0.0f;
  int32_t fontSize;
  std::string fontName;
  // One per line; null for a line without glyphs.
  std::vector<std::unique_ptr<RenderMesh>> meshes;
  std::vector<int32_t> widths;  // measured pixels, one per line
  Matrix4 scaling = MatrixIdentity();
  uint32_t currentLine = 0;
  uint32_t blinkTick = 0;
  Material material;
};
