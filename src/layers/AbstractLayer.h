#pragma once
#include <cstdint>

#include "render/RenderDevice.h"

// One drawable layer of a screen. A game state keeps an ordered list of
// layers and, once per drawn frame, calls Update on each and then Render on
// each, first to last (the first layer is drawn at the back). Frame thread
// only.
class CAbstractLayer {
 public:
  CAbstractLayer();
  virtual ~CAbstractLayer();
  CAbstractLayer(const CAbstractLayer&) = delete;
  CAbstractLayer& operator=(const CAbstractLayer&) = delete;

  // Per-frame logic: animation, movement, timers.
  virtual void Update() = 0;
  // Draws the layer. Returns 1 (or more) when drawn, 0 when there was nothing
  // to draw, a negative result code on a device failure. Callers ignore it.
  virtual int32_t Render(RenderDevice* device) = 0;
  // Layers that consult the flag draw nothing while it is 0.
  virtual void SetVisible(int32_t visible);
  // The drawing area is now `width` x `height` pixels (the window changed
  // size). Layers that keep viewport pixels convert them, layers that own
  // others pass the notice on; the rest (world-space quads and text) keep
  // nothing that depends on it. A layer made after the change may be told
  // again: the call then changes nothing.
  virtual void SetViewportSize(uint32_t width, uint32_t height);
  int32_t IsVisible() const;

 protected:
  int32_t visible = 1;
  // Saves the device's states before a layer changes them for its own drawing
  // and puts them back afterwards (Capture, draw, Apply).
  StateBlock stateBlock;
  // TickCount() at construction; some layers reuse it as their own timer.
  uint32_t createdTick;
};
