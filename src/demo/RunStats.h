#pragma once
#include <chrono>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

// The performance figures of a run, in real time whatever the game's clock:
// start-up to the first frame, frames per second, the longest frame, where
// the processor time went (the main thread drawing, the main thread's
// other work, and the other threads by name) and the movement-to-picture
// latency samples, and the resident memory by minute of game time (for soak
// runs: it should not grow once the game has seen its screens). Main thread.
class CRunStats {
 public:
  // `started`: when the program started.
  explicit CRunStats(std::chrono::steady_clock::time_point started);

  // Around the drawing of one frame (the layers' Render and the camera upload).
  void BeginDrawing();
  void EndDrawing();
  // After a pass of the loop that presented a frame; `passMs` is how long the
  // pass took (a pass longer than kScreenChangeMs changed the screen).
  void FramePresented(double passMs);
  // One latency sample, milliseconds.
  void AddLatency(uint32_t ms) { latencies.push_back(ms); }
  // Each presented frame, with the game time since the first one: samples the
  // resident memory every kSampleEvery frames and keeps the lowest of each
  // minute of game time (the lowest, because loading a screen briefly holds
  // a few megabytes that do not stay).
  void NoteGameTime(uint32_t gameMs);

  static constexpr double kScreenChangeMs = 500.0;

  // The figures as "name: value" lines.
  std::string Report() const;

 private:
  // Processor seconds of every thread of the process, by thread name; read
  // while the threads still exist (they end with the device and the camera).
  void SampleThreads();
  static double ThreadCpuSeconds();
  // Resident memory of the process, MB (0 if /proc cannot tell).
  static double ResidentMb();
  // The most it has been, MB.
  static double PeakResidentMb();
  // Processor seconds since the first frame of the threads whose family
  // `belongs` accepts.
  template <typename Test>
  double CpuSinceFirstFrame(Test belongs) const;
  static double ElapsedMs(std::chrono::steady_clock::time_point from, std::chrono::steady_clock::time_point to);

  std::chrono::steady_clock::time_point started;
  std::chrono::steady_clock::time_point firstFrame{};
  std::chrono::steady_clock::time_point lastFrame{};
  uint32_t frames = 0;
  double longestPassMs = 0.0;
  double longestGapMs = 0.0;
  // Gaps longer than kScreenChangeMs: a screen change (the old screen's
  // music release and the new one's loading), not a drawn frame's time.
  uint32_t screenChanges = 0;
  double screenChangeMs = 0.0;
  double drawingStartCpu = 0.0;
  double drawingCpu = 0.0;
  double mainThreadCpu = 0.0;
  double firstFrameMainCpu = 0.0;
  std::map<std::string, double> otherThreadsCpu;
  std::map<std::string, double> otherThreadsCpuAtFirstFrame;
  std::vector<uint32_t> latencies;
  std::vector<double> lowestResidentMb;  // [minute of game time]
};
