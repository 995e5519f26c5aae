#include "render/RenderDevice.h"

RenderDevice* d3dDevice = nullptr;

bool RenderStates::operator==(const RenderStates& other) const {
  return alphaBlend == other.alphaBlend && srcBlend == other.srcBlend && destBlend == other.destBlend &&
         alphaTest == other.alphaTest && alphaRef == other.alphaRef && depthTest == other.depthTest &&
         lighting == other.lighting && linearFilter == other.linearFilter && ambient == other.ambient;
}
