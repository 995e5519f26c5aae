// How long a sound effect takes from CSound::Play to its first buffer in the
// audio sink (a fake sink that keeps real time), for a sound at its start
// (first play after Load) and for one that is restarted after it ended.
#include <benchmark/benchmark.h>
#include <gst/gst.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "audio/AudioEngine.h"
#include "audio/Sound.h"

namespace {

using Clock = std::chrono::steady_clock;

std::atomic<Clock::rep> firstBufferAt{0};

gboolean OnHandoff(GSignalInvocationHint*, guint, const GValue*, gpointer) {
  Clock::rep expected = 0;
  firstBufferAt.compare_exchange_strong(expected, Clock::now().time_since_epoch().count());
  return TRUE;
}

// A 150 ms tone like the egg's crunch, as 16-bit mono PCM.
std::string WriteCrunch() {
  const std::string path = (std::filesystem::temp_directory_path() / "zestbox-bench-crunch.wav").string();
  const uint32_t rate = 44100;
  const uint32_t samples = rate * 150 / 1000;
  std::ofstream out(path, std::ios::binary);
  auto put = [&out](uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
      out.put(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
  };
  out << "RIFF";
  put(36 + samples * 2, 4);
  out << "WAVEfmt ";
  put(16, 4);  // format chunk size
  put(1, 2);   // PCM
  put(1, 2);   // mono
  put(rate, 4);
  put(rate * 2, 4);
  put(2, 2);   // bytes per frame
  put(16, 2);  // bits per sample
  out << "data";
  put(samples * 2, 4);
  for (uint32_t i = 0; i < samples; ++i) {
    put(static_cast<uint16_t>(static_cast<int16_t>(12000.0 * std::sin(2.0 * M_PI * 440.0 * i / rate))), 2);
  }
  return path;
}

// Plays once and returns the seconds until the sink rendered the first
// buffer, or a negative value when nothing arrived within a second.
double TimeOnePlay(CSound& sound) {
  firstBufferAt = 0;
  const Clock::time_point asked = Clock::now();
  sound.Play(0);
  while (firstBufferAt.load() == 0 && Clock::now() - asked < std::chrono::seconds(1)) {
    std::this_thread::yield();
  }
  if (firstBufferAt.load() == 0) {
    return -1.0;
  }
  const Clock::time_point heard{Clock::duration(firstBufferAt.load())};
  return std::chrono::duration<double>(heard - asked).count();
}

void PlayToFirstBuffer(benchmark::State& state, bool restart) {
  setenv("ZESTBOX_AUDIO_SINK", "fakesink sync=true signal-handoffs=true", 1);
  gst_init(nullptr, nullptr);
  GstElement* probe = gst_element_factory_make("fakesink", nullptr);
  const guint signal = g_signal_lookup("handoff", G_OBJECT_TYPE(probe));
  gst_object_unref(gst_object_ref_sink(probe));
  const gulong hook = g_signal_add_emission_hook(signal, 0, &OnHandoff, nullptr, nullptr);

  const std::string path = WriteCrunch();
  CAudioEngine engine;
  if (engine.Initialize() != S_OK) {
    state.SkipWithError("no audio engine");
    return;
  }
  CSound sound;
  sound.SetAudioEngine(&engine);
  if (!sound.Load(path.c_str())) {
    state.SkipWithError("the sound does not load");
    return;
  }
  for (auto _ : state) {
    state.PauseTiming();
    if (!restart) {
      sound.Load(path.c_str());
    }
    state.ResumeTiming();
    const double seconds = TimeOnePlay(sound);
    if (seconds < 0.0) {
      state.SkipWithError("no buffer reached the sink");
      break;
    }
    state.SetIterationTime(seconds);
    while (sound.IsPlaying()) {
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
  }
  g_signal_remove_emission_hook(signal, hook);
}

}  // namespace

BENCHMARK_CAPTURE(PlayToFirstBuffer, FreshlyLoaded, false)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK_CAPTURE(PlayToFirstBuffer, Restarted, true)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

BENCHMARK_MAIN();
