#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "state/GameLoop.h"
#include "base/Clock.h"
#include "layers/AbstractLayer.h"
#include "layers/FadeEffect.h"

// What happened, in order: "start X", "update X", "render X", "destroy X".
using EventLog = std::vector<std::string>;

// A layer that logs its calls; it can make its frame take time on the manual clock.
class LogLayer : public CAbstractLayer {
 public:
  LogLayer(std::string layerName, EventLog& eventLog) : name(std::move(layerName)), log(eventLog) {}
  ~LogLayer() override { log.push_back("delete " + name); }
  void Update() override { log.push_back("update " + name); }
  int32_t Render(RenderDevice*) override {
    log.push_back("render " + name);
    AdvanceManualTickCount(renderMilliseconds);
    return 1;
  }
  uint32_t renderMilliseconds = 0;

 private:
  std::string name;
  EventLog& log;
};

// A game state that logs its life and counts what the application asks of it.
class TestState : public CGameLoop {
 public:
  TestState(std::string stateName, EventLog& eventLog) : name(std::move(stateName)), log(eventLog) {}
  ~TestState() override { log.push_back("destroy " + name); }

  void Start() override {
    log.push_back("start " + name);
    layer = AddLayer(std::make_unique<LogLayer>(name, log));
    CGameLoop::Start();
  }
  int32_t Leave() override {
    ++leaves;
    fade->StartFadeOut();
    closing = 1;
    return 1;
  }
  int32_t OnKey(int32_t key) override {
    keys.push_back(key);
    return 0;
  }
  void Update() override { ++updates; }

  CFadeEffect* Fade() const { return fade; }

  std::string name;
  EventLog& log;
  LogLayer* layer = nullptr;  // borrowed from the layer list
  int leaves = 0;
  int updates = 0;
  std::vector<int32_t> keys;
};
