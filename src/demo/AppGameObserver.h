#pragma once
#include "demo/GameObserver.h"

class CMyD3DApplication;

// The observer of the running program: looks at the application's current
// state through the states' public accessors only. Main thread.
class CAppGameObserver : public CGameObserver {
 public:
  explicit CAppGameObserver(const CMyD3DApplication& app) : app(app) {}
  ScreenView Look() const override;

 private:
  const CMyD3DApplication& app;
};
