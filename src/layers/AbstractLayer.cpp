#include "layers/AbstractLayer.h"

#include "base/Clock.h"

CAbstractLayer::CAbstractLayer() : createdTick(TickCount()) {}

CAbstractLayer::~CAbstractLayer() = default;

void CAbstractLayer::SetVisible(int32_t visibleFlag) { visible = visibleFlag; }

int32_t CAbstractLayer::IsVisible() const { return visible; }

void CAbstractLayer::SetViewportSize(uint32_t, uint32_t) {}
