#include "demo/RunStats.h"

#include <dirent.h>
#include <sys/syscall.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

// Threads are sampled this often, in frames.
constexpr uint32_t kSampleEvery = 25;

std::string Fixed(double value, int decimals) {
  char text[32];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

// The thread's name without the number many pools add ("llvmpipe-3").
std::string ThreadFamily(std::string name) {
  while (!name.empty() && (std::isdigit(static_cast<unsigned char>(name.back())) || name.back() == '-' ||
                           name.back() == ':')) {
    name.pop_back();
  }
  return name.empty() ? "unnamed" : name;
}

// From /proc/self/task/TID/stat: the name, and user + system seconds.
bool ReadThread(const std::string& tid, std::string& name, double& seconds) {
  std::ifstream file("/proc/self/task/" + tid + "/stat");
  std::string text;
  if (!std::getline(file, text)) return false;
  const size_t open = text.find('(');
  const size_t close = text.rfind(')');
  if (open == std::string::npos || close == std::string::npos || close < open) return false;
  name = text.substr(open + 1, close - open - 1);
  std::istringstream fields(text.substr(close + 2));
  std::string field;
  unsigned long long user = 0, system = 0;
  for (int index = 3; fields >> field; ++index) {
    if (index == 14) user = std::stoull(field);
    if (index == 15) {
      system = std::stoull(field);
      break;
    }
  }
  seconds = static_cast<double>(user + system) / static_cast<double>(sysconf(_SC_CLK_TCK));
  return true;
}

}  // namespace

CRunStats::CRunStats(std::chrono::steady_clock::time_point started) : started(started) {}

double CRunStats::ThreadCpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

double CRunStats::ResidentMb() {
  std::ifstream statm("/proc/self/statm");
  unsigned long long sizePages = 0;
  unsigned long long residentPages = 0;
  if (!(statm >> sizePages >> residentPages)) return 0.0;
  return static_cast<double>(residentPages) * static_cast<double>(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

double CRunStats::PeakResidentMb() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.compare(0, 6, "VmHWM:") == 0) return std::strtod(line.c_str() + 6, nullptr) / 1024.0;  // in kB
  }
  return 0.0;
}

double CRunStats::ElapsedMs(std::chrono::steady_clock::time_point from, std::chrono::steady_clock::time_point to) {
  return std::chrono::duration<double, std::milli>(to - from).count();
}

void CRunStats::BeginDrawing() { drawingStartCpu = ThreadCpuSeconds(); }

void CRunStats::EndDrawing() {
  if (frames > 0) drawingCpu += ThreadCpuSeconds() - drawingStartCpu;
}

void CRunStats::FramePresented(double passMs) {
  const auto now = std::chrono::steady_clock::now();
  if (frames == 0) {
    firstFrame = now;
    SampleThreads();
    firstFrameMainCpu = mainThreadCpu;
    otherThreadsCpuAtFirstFrame = otherThreadsCpu;
  } else {
    const double gap = ElapsedMs(lastFrame, now);
    if (passMs <= kScreenChangeMs) longestPassMs = std::max(longestPassMs, passMs);
    longestGapMs = std::max(longestGapMs, gap);
    if (gap > kScreenChangeMs) {
      ++screenChanges;
      screenChangeMs += gap;
    }
  }
  lastFrame = now;
  ++frames;
  if (frames % kSampleEvery == 0) SampleThreads();
}

void CRunStats::NoteGameTime(uint32_t gameMs) {
  if (frames % kSampleEvery != 0) return;
  const size_t minute = gameMs / 60000;
  const double resident = ResidentMb();
  if (minute >= lowestResidentMb.size()) lowestResidentMb.resize(minute + 1, resident);
  lowestResidentMb[minute] = std::min(lowestResidentMb[minute], resident);
}

void CRunStats::SampleThreads() {
  const std::string self = std::to_string(static_cast<long>(syscall(SYS_gettid)));
  std::map<std::string, double> others;
  DIR* tasks = opendir("/proc/self/task");
  if (tasks == nullptr) return;
  while (const dirent* entry = readdir(tasks)) {
    const std::string tid = entry->d_name;
    std::string name;
    double seconds = 0.0;
    if (tid == "." || tid == ".." || !ReadThread(tid, name, seconds)) continue;
    if (tid == self) {
      mainThreadCpu = seconds;
    } else {
      others[ThreadFamily(name)] += seconds;
    }
  }
  closedir(tasks);
  // Threads that ended keep what they had used when last seen.
  for (const auto& thread : others) otherThreadsCpu[thread.first] = std::max(otherThreadsCpu[thread.first], thread.second);
}

template <typename Test>
double CRunStats::CpuSinceFirstFrame(Test belongs) const {
  double seconds = 0.0;
  for (const auto& thread : otherThreadsCpu) {
    if (!belongs(thread.first)) continue;
    const auto before = otherThreadsCpuAtFirstFrame.find(thread.first);
    seconds += thread.second - (before != otherThreadsCpuAtFirstFrame.end() ? before->second : 0.0);
  }
  return seconds;
}

std::string CRunStats::Report() const {
  std::ostringstream out;
  if (frames < 2) return "frames drawn: " + std::to_string(frames) + "\n";
  const double runSeconds = ElapsedMs(firstFrame, lastFrame) / 1000.0;
  const double drawingSeconds = runSeconds - screenChangeMs / 1000.0;
  const auto percent = [runSeconds](double seconds) { return Fixed(100.0 * seconds / runSeconds, 0) + " %"; };
  out << "start-up to first frame: " << Fixed(ElapsedMs(started, firstFrame), 0) << " ms\n";
  out << "frames drawn: " << frames << " in " << Fixed(runSeconds, 1) << " s\n";
  out << "frames per second: " << Fixed((frames - 1) / runSeconds, 1) << " (" << Fixed((frames - 1 - screenChanges) / drawingSeconds, 1)
      << " without the " << screenChanges << " screen changes)\n";
  out << "longest frame: " << Fixed(longestPassMs, 1) << " ms without screen changes (longest gap between frames "
      << Fixed(longestGapMs, 1) << " ms, at a screen change)\n";
  const auto rendering = [](const std::string& family) { return family == "llvmpipe"; };
  const auto capture = [](const std::string& family) {
    return family == "camera:src" || family == "queue0:src" || family == "queue1:src";
  };
  const auto other = [&](const std::string& family) { return !rendering(family) && !capture(family); };
  const double mainSeconds = mainThreadCpu - firstFrameMainCpu;
  const double renderSeconds = drawingCpu + CpuSinceFirstFrame(rendering);
  const double captureSeconds = CpuSinceFirstFrame(capture);
  const double otherSeconds = CpuSinceFirstFrame(other);
  out << "cpu while playing: " << percent(mainSeconds + captureSeconds + otherSeconds + CpuSinceFirstFrame(rendering))
      << " of one core: rendering " << percent(renderSeconds) << " (main thread " << percent(drawingCpu)
      << ", rasteriser threads " << percent(CpuSinceFirstFrame(rendering)) << "), game logic and the rest of the main thread "
      << percent(std::max(0.0, mainSeconds - drawingCpu)) << ", camera and motion detector " << percent(captureSeconds)
      << ", sound and other threads " << percent(otherSeconds) << "\n";
  out << "cpu seconds by thread (whole run): main " << Fixed(mainThreadCpu, 2);
  for (const auto& thread : otherThreadsCpu) out << ", " << thread.first << " " << Fixed(thread.second, 2);
  out << "\n";
  out << "resident memory by minute of game time (lowest in each, MB):";
  for (const double mb : lowestResidentMb) out << " " << Fixed(mb, 1);
  out << "; peak " << Fixed(PeakResidentMb(), 1) << " MB\n";
  if (!latencies.empty()) {
    std::vector<uint32_t> sorted = latencies;
    std::sort(sorted.begin(), sorted.end());
    out << "movement-to-picture latency: median " << sorted[sorted.size() / 2] << " ms, worst " << sorted.back()
        << " ms, best " << sorted.front() << " ms over " << sorted.size() << " moves\n";
  }
  return out.str();
}
