#include "TestClock.h"
