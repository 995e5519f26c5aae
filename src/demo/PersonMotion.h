#pragma once
#include <cstdint>
#include <mutex>

#include "demo/PersonScene.h"

// How the virtual player's hands move over time: each hand either travels in
// a straight line to a spot and then waves there, or stays still where it
// is. A moving hand shows the camera its palm and its back in turn, one
// frame each, as a real waving hand turns. The player changes a hand's course on the main thread; the camera
// reads the pose for a frame's time on its own thread. The pose is a pure
// function of the commands and the time, so a camera that draws its frames
// at fixed times always shows the same pictures. Times are TickCount()
// milliseconds.
class CPersonMotion {
 public:
  static constexpr int32_t kHands = 2;
  // A wave swings from one side to the other and back in this time.
  static constexpr uint32_t kWavePeriodMs = 133;
  // How far a wave swings either side of its spot, as a fraction of the
  // picture width: about a hand's width, as a real wave does.
  static constexpr float kWaveAmplitude = 0.06f;

  // Both hands rest low at the sides, still.
  CPersonMotion();

  // From `now` on, `hand` (0 or 1) goes from where it is to `spot` in
  // `travelMs` and then waves there until told otherwise.
  void MoveHand(int32_t hand, const PicturePoint& spot, uint32_t now, uint32_t travelMs);
  // From `now` on, `hand` stays where it is, still.
  void HoldHand(int32_t hand, uint32_t now);

  // The pose in camera frame number `frame`, taken at `tick`.
  PersonPose PoseAt(uint32_t tick, uint64_t frame = 0) const;
  // The spot the hand is travelling to or waving at (where it stands when
  // still), and when it gets there.
  PicturePoint Destination(int32_t hand) const;
  uint32_t ArrivalTick(int32_t hand) const;

 private:
  struct Course {
    uint32_t startTick = 0;
    PicturePoint from;
    PicturePoint to;
    uint32_t travelMs = 0;
    bool waving = false;
  };
  static PicturePoint HandAt(const Course& course, uint32_t tick);
  static bool MovingAt(const Course& course, uint32_t tick);

  mutable std::mutex lock;
  Course courses[kHands];
};
