#include "demo/PersonMotion.h"

#include <cassert>

namespace {

// -1 .. 1 .. -1 over one period, 0 at the start: a hand waving sideways.
float Wave(uint32_t sinceArrival) {
  const uint32_t period = CPersonMotion::kWavePeriodMs;
  const float phase = static_cast<float>(sinceArrival % period) / static_cast<float>(period);
  if (phase < 0.25f) return phase * 4.0f;
  if (phase < 0.75f) return 2.0f - phase * 4.0f;
  return phase * 4.0f - 4.0f;
}

bool ValidHand(int32_t hand) { return hand >= 0 && hand < CPersonMotion::kHands; }

}  // namespace

CPersonMotion::CPersonMotion() {
  courses[0].from = courses[0].to = PicturePoint{0.12f, 0.9f};
  courses[1].from = courses[1].to = PicturePoint{0.88f, 0.9f};
}

PicturePoint CPersonMotion::HandAt(const Course& course, uint32_t tick) {
  const uint32_t since = tick - course.startTick;
  if (static_cast<int32_t>(since) < 0) return course.from;
  if (since < course.travelMs) {
    const float t = static_cast<float>(since) / static_cast<float>(course.travelMs);
    return PicturePoint{course.from.x + (course.to.x - course.from.x) * t,
                        course.from.y + (course.to.y - course.from.y) * t};
  }
  if (!course.waving) return course.to;
  return PicturePoint{course.to.x + kWaveAmplitude * Wave(since - course.travelMs), course.to.y};
}

bool CPersonMotion::MovingAt(const Course& course, uint32_t tick) {
  const uint32_t since = tick - course.startTick;
  return static_cast<int32_t>(since) >= 0 && (course.waving || since < course.travelMs);
}

void CPersonMotion::MoveHand(int32_t hand, const PicturePoint& spot, uint32_t now, uint32_t travelMs) {
  assert(ValidHand(hand));
  if (!ValidHand(hand)) return;
  const std::lock_guard<std::mutex> guard(lock);
  Course& course = courses[hand];
  course.from = HandAt(course, now);
  course.to = spot;
  course.startTick = now;
  course.travelMs = travelMs;
  course.waving = true;
}

void CPersonMotion::HoldHand(int32_t hand, uint32_t now) {
  assert(ValidHand(hand));
  if (!ValidHand(hand)) return;
  const std::lock_guard<std::mutex> guard(lock);
  Course& course = courses[hand];
  course.from = course.to = HandAt(course, now);
  course.startTick = now;
  course.travelMs = 0;
  course.waving = false;
}

PersonPose CPersonMotion::PoseAt(uint32_t tick, uint64_t frame) const {
  const std::lock_guard<std::mutex> guard(lock);
  PersonPose pose;
  for (int32_t hand = 0; hand < kHands; ++hand) {
    pose.hands[hand] = HandAt(courses[hand], tick);
    pose.turned[hand] = frame % 2 == 1 && MovingAt(courses[hand], tick);
  }
  return pose;
}

PicturePoint CPersonMotion::Destination(int32_t hand) const {
  const std::lock_guard<std::mutex> guard(lock);
  return ValidHand(hand) ? courses[hand].to : PicturePoint{};
}

uint32_t CPersonMotion::ArrivalTick(int32_t hand) const {
  const std::lock_guard<std::mutex> guard(lock);
  return ValidHand(hand) ? courses[hand].startTick + courses[hand].travelMs : 0;
}
