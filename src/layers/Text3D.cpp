#include "layers/Text3D.h"

#include "base/Clock.h"
#include "text3d/GlyphMeshBuilder.h"

namespace {

constexpr float kUnitsPerPixel = 10.5f / 1024.0f;  // world units per virtual unit
constexpr float kHalfWidthPerPixel = 7.15f;
constexpr uint32_t kBlinkMs = 150;

}  // namespace

C3DText::C3DText(const char* name, int32_t size, float extrusion)
    : fontSize(size), fontName(name ? name : "") {
  depth = extrusion;
  unitsPerPixelX = kUnitsPerPixel;
  unitsPerPixelY = kUnitsPerPixel;
  worldX = posX * unitsPerPixelX;
  worldY = posY * unitsPerPixelY;
  SetColor(colorR, colorG, colorB, 1.0f);
  scaling = MatrixScaling(scale, scale, 1.0f);
  Rebuild();
}

C3DText::~C3DText() = default;

void C3DText::Update() {
  if (blinking == 1) {
    const uint32_t now = TickCount();
    if (now - blinkTick > kBlinkMs) {
      visible = visible ? 0 : 1;
      blinkTick = now;
    }
  } else if (spinSpeed != 0.0f) {
    Rebuild();
  }
}

int32_t C3DText::Render(RenderDevice* device) {
  if (!visible) {
    return 1;
  }
  if (currentLine >= meshes.size()) {
    return 0;
  }
  const RenderMesh* mesh = meshes[currentLine].get();
  if (mesh && device) {
    device->SetTransform(TransformKind::World, world);
    device->SetMaterial(material);
    device->DrawMesh(*mesh);
  }
  return 1;
}

void C3DText::SetVisible(int32_t v) {
  if (v == 0) {
    blinking = 0;
  }
  visible = v;
}

Result C3DText::SetText(const char* text, uint32_t line) {
  if (line > meshes.size()) {
    return E_FAIL;
  }
  CGlyphMeshBuilder& builder = CGlyphMeshBuilder::Shared();
  const GlyphMeshData data = builder.BuildLine(fontName, fontSize, depth, text);
  std::unique_ptr<RenderMesh> mesh;
  if (!data.indices.empty()) {
    if (!d3dDevice) {
      return E_POINTER;
    }
    mesh = d3dDevice->CreateMesh(data.vertices, data.indices);
    if (!mesh) {
      return E_OUTOFMEMORY;
    }
  }
  const int32_t width = builder.MeasureWidth(text);
  if (line == meshes.size()) {
    meshes.push_back(std::move(mesh));
    widths.push_back(width);
  } else {
    meshes[line] = std::move(mesh);
    widths[line] = width;
  }
  return S_OK;
}

void C3DText::SetLine(uint32_t line) { currentLine = line; }

void C3DText::SetPosition(int32_t x, int32_t y) {
  posX = static_cast<float>(x);
  posY = static_cast<float>(y);
  worldX = posX * unitsPerPixelX;
  worldY = posY * unitsPerPixelY;
  Rebuild();
}

void C3DText::GetPosition(float& x, float& y) const {
  x = posX;
  y = posY;
}

void C3DText::SetColor(float r, float g, float b, float) {
  colorR = r;
  colorG = g;
  colorB = b;
  material = Material{};
  material.diffuse = {r, g, b, 1.0f};
  material.ambient = {r, g, b, 1.0f};
}

void C3DText::SetScale(float s) {
  scale = s;
  halfWidthFactor = s * kHalfWidthPerPixel;
  scaling = MatrixScaling(s, s, 1.0f);
  Rebuild();
}

void C3DText::SetSpinAxis(float x, float y, float z) {
  axis = {x, y, z};
  Rebuild();
}

void C3DText::SetSpinSpeed(float v) { spinSpeed = v; }

void C3DText::SetAngle(float a) { angle = a; }

void C3DText::SetBlink(int32_t on) {
  angle = -spinSpeed;
  Rebuild();
  blinking = on;
  blinkTick = TickCount();
}

int32_t C3DText::GetHalfWidth() const {
  if (currentLine >= widths.size()) {
    return 0;
  }
  return static_cast<int32_t>(static_cast<float>(widths[currentLine] / 2) * halfWidthFactor);
}

void C3DText::CenterHorizontally() {
  posX = static_cast<float>(512 - GetHalfWidth());
  worldX = posX * unitsPerPixelX;
  Rebuild();
}

void C3DText::Rebuild() {
  angle += spinSpeed;
  if (angle > kTwoPi) {
    angle -= kTwoPi;
  }
  if (angle < 0.0f) {
    angle += kTwoPi;
  }
  // Turns the glyphs about the line through mesh point (0, 0.3, -0.2 scale)
  // parallel to the axis; upright, the baseline origin lands at
  // (worldX - 5.25, 3.3 - worldY, 0).
  world = MatrixTranslation(0.0f, -0.3f, 0.2f * scale) * MatrixRotationAxis(axis, angle) * scaling *
          MatrixTranslation(worldX - 5.25f, 3.3f - worldY + 0.3f * scale, -0.2f * scale);
}
