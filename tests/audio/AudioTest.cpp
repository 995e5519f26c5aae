#include <SDL.h>
#include <gst/gst.h>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <tuple>
#include <utility>

#include "audio/AudioEngine.h"
#include "audio/MusicNotice.h"
#include "audio/MusicPlayer.h"
#include "audio/Sound.h"
#include "base/Owned.h"
#include "support/TempFolder.h"
#include "support/TestPictures.h"

// The sound effects and the music player, heard through fake sinks. Every
// music player waits a second when it is destroyed, so each test uses one.
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// What reaches the fake audio sinks of this process, noted as each sink
// renders a buffer (it syncs to the clock, so that is when it would be
// heard). GLib may run the hook on a streaming thread at any moment, so the
// record lives as long as the process.
struct SinkRecord {
  std::mutex lock;  // guards the changes and lastStamp
  std::condition_variable changed;
  std::map<GstElement*, GstClockTime> lastStamp;
  std::atomic<int> buffers{0};
  std::atomic<int> sinks{0};   // sinks that rendered a buffer: a pipeline built anew brings its own
  std::atomic<int> starts{0};  // plays from the beginning: a sink's first buffer, and each whose time stamp goes back
};
SinkRecord& sinkRecord = *new SinkRecord;

gboolean NoteHandoff(GSignalInvocationHint*, guint count, const GValue* values, gpointer) {
  if (count < 2) return TRUE;
  auto* sink = static_cast<GstElement*>(g_value_get_object(&values[0]));
  const GstClockTime stamp = GST_BUFFER_PTS(GST_BUFFER(g_value_get_boxed(&values[1])));
  std::lock_guard<std::mutex> guard(sinkRecord.lock);
  const auto last = sinkRecord.lastStamp.find(sink);
  sinkRecord.sinks += last == sinkRecord.lastStamp.end();
  sinkRecord.starts += last == sinkRecord.lastStamp.end() || stamp <= last->second;
  sinkRecord.lastStamp[sink] = stamp;
  ++sinkRecord.buffers;
  sinkRecord.changed.notify_all();
  return TRUE;
}

// How many GStreamer messages exist in this process right now, counted by a
// tracer hooked into every mini object's creation and destruction; GStreamer
// cannot take it back, so it stays. Counting starts with the first call.
std::atomic<long> liveMessages{0};
void CountMessage(const GstMiniObject* object, int change) {
  if (object->type == GST_TYPE_MESSAGE) liveMessages += change;
}
long LiveMessages() {
  [[maybe_unused]] static const bool installed = [] {
    const GType type = g_type_register_static_simple(GST_TYPE_TRACER, "ZestboxMessageCounter", sizeof(GstTracerClass),
                                                     nullptr, sizeof(GstTracer), nullptr, static_cast<GTypeFlags>(0));
    GstTracer* tracer = GST_TRACER(g_object_new(type, nullptr));
    gst_tracing_register_hook(tracer, "mini-object-created",
                              G_CALLBACK(+[](GObject*, GstClockTime, GstMiniObject* o) { CountMessage(o, 1); }));
    gst_tracing_register_hook(tracer, "mini-object-destroyed",
                              G_CALLBACK(+[](GObject*, GstClockTime, GstMiniObject* o) { CountMessage(o, -1); }));
    return true;
  }();
  return liveMessages.load();
}

// Sound files the test makes in a folder of its own (a long and a short tone
// to begin with), an engine that searches it, and the sinks they play into:
// ZESTBOX_AUDIO_SINK names a fake sink that keeps real time and signals its
// buffers (set here rather than trusted from the environment). Each test
// counts afresh.
class AudioTest : public ::testing::Test {
 protected:
  AudioTest() {
    setenv("ZESTBOX_AUDIO_SINK", "fakesink sync=true signal-handoffs=true", 1);
    gst_init(nullptr, nullptr);
    [[maybe_unused]] static const gulong hook = [] {
      gst_object_unref(gst_object_ref_sink(gst_element_factory_make("fakesink", nullptr)));  // registers its type
      const guint handoff = g_signal_lookup("handoff", g_type_from_name("GstFakeSink"));
      return g_signal_add_emission_hook(handoff, 0, &NoteHandoff, nullptr, nullptr);
    }();
    std::lock_guard<std::mutex> guard(sinkRecord.lock);
    sinkRecord.lastStamp.clear();
    sinkRecord.buffers = sinkRecord.sinks = sinkRecord.starts = 0;
  }
  void SetUp() override {
    ASSERT_EQ(engine->Initialize(), S_OK);
    ASSERT_EQ(engine->SetSearchDirectory(media.Path().c_str()), S_OK);
    MakeTone("long.wav", 2000);
    MakeTone("short.wav", 200);
  }

  // A 16-bit mono tone of about `milliseconds`: an MP3 when `name` ends in
  // ".mp3", else a WAV file.
  std::string MakeTone(const std::string& name, int milliseconds) const {
    const bool mp3 = name.size() > 4 && name.compare(name.size() - 4, 4, ".mp3") == 0;
    const std::string description = "audiotestsrc num-buffers=" + std::to_string(milliseconds / 10) +
                                    " samplesperbuffer=441 ! audioconvert ! audio/x-raw,format=S16LE,rate=44100,"
                                    "channels=1 ! " + (mp3 ? "lamemp3enc" : "wavenc") + " ! filesink location=\"" +
                                    media.File(name) + "\"";
    const Owned<GstElement, gst_object_unref> pipeline{gst_parse_launch(description.c_str(), nullptr)};
    gst_element_set_state(pipeline.get(), GST_STATE_PLAYING);
    const Owned<GstBus, gst_object_unref> bus{gst_element_get_bus(pipeline.get())};
    const Owned<GstMessage, gst_message_unref> done{gst_bus_timed_pop_filtered(
        bus.get(), 10 * GST_SECOND, static_cast<GstMessageType>(GST_MESSAGE_EOS | GST_MESSAGE_ERROR))};
    EXPECT_TRUE(done && GST_MESSAGE_TYPE(done.get()) == GST_MESSAGE_EOS) << description;
    gst_element_set_state(pipeline.get(), GST_STATE_NULL);
    return media.File(name);
  }

  // Waits until sinkRecord.starts reaches `count`; false after `timeout`.
  bool WaitForStarts(int count, std::chrono::milliseconds timeout) const {
    std::unique_lock<std::mutex> guard(sinkRecord.lock);
    return sinkRecord.changed.wait_for(guard, timeout, [&] { return sinkRecord.starts >= count; });
  }
  // Whether no buffer reaches a sink for 300 ms, counted from 100 ms on (a
  // buffer already under way may still arrive before that).
  bool StaysSilent() const {
    std::this_thread::sleep_for(100ms);
    const int buffers = sinkRecord.buffers;
    std::this_thread::sleep_for(300ms);
    return sinkRecord.buffers == buffers;
  }
  // A sound bound to the engine with `file` loaded.
  std::unique_ptr<CSound> Loaded(const char* file) {
    auto sound = std::make_unique<CSound>();
    sound->SetAudioEngine(engine.get());
    EXPECT_TRUE(sound->Load(file)) << file;
    return sound;
  }

  TempFolder media;
  std::unique_ptr<CAudioEngine> engine = std::make_unique<CAudioEngine>();
};

// Polls IsPlaying as the game does; false if it still plays after `timeout`.
bool WaitUntilSilent(const CSound& sound, std::chrono::milliseconds timeout) {
  const Clock::time_point deadline = Clock::now() + timeout;
  while (sound.IsPlaying() && Clock::now() < deadline) std::this_thread::sleep_for(5ms);
  return !sound.IsPlaying();
}

// Waits for the next music notice; returns its parameter, or -1 after `timeout`.
intptr_t WaitForNotice(std::chrono::milliseconds timeout) {
  SDL_Event event;
  for (const Clock::time_point deadline = Clock::now() + timeout; Clock::now() < deadline;) {
    if (SDL_WaitEventTimeout(&event, 20) == 1 && event.type == MusicNoticeEventType())
      return reinterpret_cast<intptr_t>(event.user.data1);
  }
  return -1;
}

using MusicPlayer = AudioTest;
using SoundTest = AudioTest;

}  // namespace

// Pause holds and Stop is quick. Rewinding a stopped or a playing player,
// and opening the music again stopped or playing (each new game does),
// start it over.
TEST_F(MusicPlayer, PauseHoldsAndStopStartsOverFromTheBeginning) {
  CMusicPlayer player;
  ASSERT_EQ(player.Open(media.File("long.wav")), S_OK);
  // The volume goes through the player's scale to the pipeline and back.
  EXPECT_EQ(player.SetVolume(90.0f), S_OK);
  EXPECT_FLOAT_EQ(player.GetVolume(), 90.0f);
  ASSERT_EQ(player.Play(), S_OK);
  ASSERT_TRUE(WaitForStarts(1, 2s));
  std::this_thread::sleep_for(100ms);
  EXPECT_EQ(player.Pause(), S_OK);
  EXPECT_TRUE(StaysSilent());
  const Clock::time_point stopping = Clock::now();
  EXPECT_EQ(player.Stop(), S_OK);
  EXPECT_LT(Clock::now() - stopping, 500ms);
  EXPECT_TRUE(player.Rewind() == S_OK && player.Play() == S_OK);
  EXPECT_TRUE(WaitForStarts(2, 2s));
  EXPECT_EQ(player.Rewind(), S_OK);
  EXPECT_TRUE(WaitForStarts(3, 2s));
  EXPECT_EQ(player.Stop(), S_OK);
  for (int starts = 4; starts <= 5; ++starts) {
    std::this_thread::sleep_for(200ms);
    EXPECT_TRUE(player.Open(media.File("long.wav")) == S_OK && player.Play() == S_OK);
    EXPECT_TRUE(WaitForStarts(starts, 2s));
  }
}

TEST_F(MusicPlayer, TheNoticeRestartsLoopingMusicAndLeavesOtherMusicStopped) {
  ASSERT_EQ(SDL_Init(SDL_INIT_EVENTS), 0) << SDL_GetError();
  CMusicPlayer player;
  ASSERT_EQ(player.Open(MakeTone("short.mp3", 400)), S_OK);
  player.SetLoop(true);
  player.SetNotifyWindow(MusicNoticeEventType(), 42);
  ASSERT_EQ(player.Play(), S_OK);

  EXPECT_EQ(WaitForNotice(3s), 42);
  EXPECT_EQ(sinkRecord.starts, 1);  // nothing restarts before the main loop answers
  player.HandleEvents();
  EXPECT_TRUE(WaitForStarts(2, 2s));

  EXPECT_EQ(WaitForNotice(3s), 42);
  player.SetLoop(false);
  player.HandleEvents();
  EXPECT_TRUE(StaysSilent());
  EXPECT_EQ(sinkRecord.starts, 2);

  // Notices off: the end of the music posts nothing. SDL goes before the
  // player, which posts no more.
  player.SetNotifyWindow(0, 0);
  player.SetLoop(true);
  player.Rewind();
  player.Play();
  EXPECT_TRUE(WaitForStarts(3, 2s));
  EXPECT_EQ(WaitForNotice(800ms), -1);
  SDL_Quit();
}

// Missing, empty, cut, undecodable and soundless files fail quickly and stay
// silent, as sounds and as music: the sound keeps what it had loaded and the
// player still works. A file cut in the middle plays what there is; after
// Close a new Open builds a new pipeline.
TEST_F(SoundTest, BadFilesFailQuicklyStaySilentAndKeepWhatWasLoaded) {
  const std::string mp3 = MakeTone("good.mp3", 1500);
  const std::pair<const char*, std::string> written[] = {
      {"empty.mp3", ""},
      {"header.wav", ReadFile(media.File("short.wav")).substr(0, 30)},
      {"head.mp3", ReadFile(mp3).substr(0, 60)},
      {"half.mp3", ReadFile(mp3).substr(0, 12000)},  // not bad: plays what there is
      {"broken.wav", std::string("RIFF\x10\0\0\0WAVEfmt ", 16)},
      {"text.mp3", "This is not music at all.\n"},
      {"noise.wav", std::string(4096, '\x5a')},
  };
  for (const auto& [name, bytes] : written) WriteFile(media.File(name), bytes);
  // A real file with a stream in it, but no sound.
  ASSERT_TRUE(testpictures::WriteBmp24(media.File("picture.mp3"), 2, 2, testpictures::Solid(2, 2, 0xFF336699)));
  auto sound = Loaded("short.wav");  // found in the search directory
  auto player = std::make_unique<CMusicPlayer>();
  for (const char* name : {"missing.mp3", "empty.mp3", "header.wav", "head.mp3", "broken.wav", "text.mp3", "noise.wav",
                           "", "picture.mp3"}) {
    const std::string file = media.File(name);
    const Clock::time_point start = Clock::now();
    EXPECT_FALSE(sound->Load(file.c_str())) << file;
    EXPECT_TRUE(Failed(player->Open(file))) << file;
    EXPECT_EQ(player->Play(), E_FAIL) << file;
    EXPECT_LT(Clock::now() - start, 3s) << file;
  }
  EXPECT_TRUE(StaysSilent() && sinkRecord.buffers == 0);
  ASSERT_EQ(player->Open(media.File("half.mp3")), S_OK);
  EXPECT_TRUE(sound->Play(0) && player->Play() == S_OK);
  EXPECT_TRUE(WaitForStarts(2, 2s));
  player->Close();  // without a pipeline every call fails
  for (const Result result : {player->Stop(), player->Play(), player->Pause(), player->Rewind(), player->SetVolume(50)})
    EXPECT_EQ(result, E_FAIL);
  EXPECT_EQ(player->GetVolume(), 0.0f);
  ASSERT_EQ(player->Open(mp3), S_OK);
  EXPECT_EQ(player->Play(), S_OK);
  EXPECT_TRUE(WaitForStarts(3, 2s));
  const Clock::time_point released = Clock::now();  // the release waits the designed second
  player.reset();
  EXPECT_GE(Clock::now() - released, std::chrono::milliseconds(CMusicPlayer::kReleaseWaitMs));
}

// Loading the same file again, mid-play or after the end, stops it and
// rewinds its pipeline; only another file needs a pipeline of its own.
TEST_F(SoundTest, LoadingTheSameFileAgainRewindsItsPipeline) {
  auto sound = Loaded("long.wav");
  for (const auto& [file, starts, sinks, toTheEnd] : {std::tuple{"long.wav", 1, 1, false}, {"long.wav", 2, 1, false},
                                                      {"short.wav", 3, 2, true}, {"short.wav", 4, 2, true}}) {
    ASSERT_TRUE(sound->Load(file));
    EXPECT_FALSE(sound->IsPlaying());
    ASSERT_TRUE(sound->Play(0));
    EXPECT_TRUE(WaitForStarts(starts, 1s)) << starts;
    EXPECT_EQ(sinkRecord.sinks, sinks) << starts;
    if (!toTheEnd) std::this_thread::sleep_for(300ms);
    EXPECT_TRUE(!toTheEnd || WaitUntilSilent(*sound, 2s));
  }
}

// A sound plays once, or repeats, or loops until it stops at once, and is
// heard again each time it is played. Every bus message of its pipeline and
// of the music's is released: a few hundred go by here, a game posts
// thousands an hour.
TEST_F(SoundTest, PipelinesLeaveNoMessageBehind) {
  const long before = LiveMessages();
  {
    auto sound = Loaded("short.wav");
    for (const auto& [repeats, atLeast, starts] :
         {std::tuple{0, 180ms, 1}, {2, 550ms, 4}, {0, 180ms, 5}, {1, 360ms, 7}}) {
      const Clock::time_point start = Clock::now();
      ASSERT_TRUE(sound->Play(repeats));
      EXPECT_TRUE(sound->IsPlaying());
      EXPECT_TRUE(WaitUntilSilent(*sound, 3s));
      EXPECT_GE(Clock::now() - start, atLeast);
      EXPECT_EQ(sinkRecord.starts, starts);
    }
    ASSERT_TRUE(sound->Play(-1));
    EXPECT_TRUE(WaitForStarts(10, 3s));
    EXPECT_TRUE(sound->IsPlaying());
    EXPECT_TRUE(sound->Stop());
    EXPECT_FALSE(sound->IsPlaying());
    EXPECT_TRUE(StaysSilent());
    CMusicPlayer music;
    ASSERT_EQ(music.Open(media.File("short.wav")), S_OK);
    ASSERT_EQ(music.Play(), S_OK);
    std::this_thread::sleep_for(300ms);
    music.HandleEvents();
  }
  EXPECT_LE(LiveMessages(), before);
}

// Nothing plays without an engine that is initialised and a file loaded.
TEST_F(SoundTest, PlayingASoundStopsTheOnePlayedBeforeAndASoundOutlivingItsEngineFallsSilent) {
  CSound unbound, unloaded;
  unloaded.SetAudioEngine(engine.get());
  for (CSound* sound : {&unbound, &unloaded})
    EXPECT_FALSE(sound->Load(nullptr) || sound->Play(0) || sound->Stop() || sound->IsPlaying());
  EXPECT_FALSE(unbound.Load("short.wav"));
  EXPECT_EQ(engine->SetSearchDirectory(nullptr), E_INVALIDARG);
  EXPECT_EQ(CAudioEngine().SetSearchDirectory(media.Path().c_str()), E_UNEXPECTED);
  auto first = Loaded("long.wav");
  auto second = Loaded("short.wav");
  ASSERT_TRUE(first->Play(0));
  ASSERT_TRUE(second->Play(0));
  EXPECT_FALSE(first->IsPlaying());
  EXPECT_TRUE(second->IsPlaying());
  engine.reset();
  EXPECT_FALSE(second->IsPlaying());
  EXPECT_FALSE(second->Play(0));
  EXPECT_FALSE(second->Load(media.File("long.wav").c_str()));
}
