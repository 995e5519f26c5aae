#include "capture/ImageCapture.h"

#include <gst/app/gstappsink.h>
#include <gst/gst.h>
#include <gst/video/video.h>

#include <cstdio>

#include "base/Clock.h"
#include "base/Owned.h"
#include "base/Texts.h"
#include "base/ThreadHandOff.h"
#include "capture/CameraAccess.h"
#include "capture/CameraProbe.h"
#include "capture/CaptureNotice.h"
#include "capture/FrameStamp.h"
#include "capture/SystemCamera.h"

namespace {

constexpr const char* kNotInitialized = Translatable(": ImageCapture object not initialized\n");
constexpr GstClockTime kStopTimeout = 2 * GST_SECOND;
constexpr uint32_t kSilenceLimitMs = 3000;
constexpr uint32_t kRestartIntervalMs = 2000;

using CapsHold = Owned<GstCaps, gst_caps_unref>;
using MessageHold = Owned<GstMessage, gst_message_unref>;
using SampleHold = Owned<GstSample, gst_sample_unref>;

GstElement* Make(const char* factory, const char* name) { return gst_element_factory_make(factory, name); }

CapsHold FrameCaps(const char* format, int32_t width, int32_t height) {
  CapsHold caps(gst_caps_new_simple("video/x-raw", "format", G_TYPE_STRING, format, nullptr));
  if (width > 0 && height > 0)
    gst_caps_set_simple(caps.get(), "width", G_TYPE_INT, width, "height", G_TYPE_INT, height, nullptr);
  return caps;
}

void SetCaps(GstElement* capsfilter, const CapsHold& caps) { g_object_set(capsfilter, "caps", caps.get(), nullptr); }

Owned<GstBus, gst_object_unref> BusOf(GstElement* pipeline) {
  return Owned<GstBus, gst_object_unref>(gst_element_get_bus(pipeline));
}

GstElement* MakeSink(const char* name) {
  GstElement* sink = Make("appsink", name);
  if (sink) g_object_set(sink, "sync", FALSE, "max-buffers", 2u, "drop", TRUE, nullptr);
  return sink;
}

GstElement* MakeQueue() {
  GstElement* queue = Make("queue", nullptr);
  if (queue) g_object_set(queue, "max-size-buffers", 2u, "leaky", 2 /* downstream: drop old */, nullptr);
  return queue;
}

// Maps one sample's picture for reading; false when the sample carries none.
bool MapSample(GstSample* sample, GstVideoFrame* frame) {
  GstVideoInfo info;
  GstCaps* caps = gst_sample_get_caps(sample);
  GstBuffer* buffer = gst_sample_get_buffer(sample);
  if (!caps || !buffer || !gst_video_info_from_caps(&info, caps) ||
      !gst_video_frame_map(frame, &info, buffer, GST_MAP_READ))
    return false;
  TakeOver(GST_VIDEO_FRAME_PLANE_DATA(frame, 0));  // drawn on the camera's thread when it is one of ours
  return true;
}

}  // namespace

struct CImageCapture::Hooks {
  static GstBusSyncReply OnBusMessage(GstBus*, GstMessage*, gpointer data) {
    CImageCapture* self = static_cast<CImageCapture*>(data);
    TakeOver(self);
    if (!self->noticePending.exchange(true) && !PostCaptureNotice()) self->noticePending = false;
    HandOver(self);
    return GST_BUS_PASS;
  }

  // Detector frames: BGRx, top row first in GStreamer's buffer; handed over
  // bottom row first by walking the rows backwards.
  static GstFlowReturn OnDetectorSample(GstAppSink* sink, gpointer data) {
    CImageCapture* self = static_cast<CImageCapture*>(data);
    const SampleHold sample(gst_app_sink_pull_sample(sink));
    if (!sample) return GST_FLOW_EOS;
    TakeOver(self);
    GstVideoFrame frame;
    if (MapSample(sample.get(), &frame)) {
      const ptrdiff_t stride = GST_VIDEO_FRAME_PLANE_STRIDE(&frame, 0);
      FrameView view;
      view.width = GST_VIDEO_FRAME_WIDTH(&frame);
      view.height = GST_VIDEO_FRAME_HEIGHT(&frame);
      view.firstRow = static_cast<const uint8_t*>(GST_VIDEO_FRAME_PLANE_DATA(&frame, 0)) + (view.height - 1) * stride;
      view.stride = -stride;
      if (auto callback = std::atomic_load(&self->frameCallback)) callback->SampleCB(view);
      ++self->detectorFrames;
      gst_video_frame_unmap(&frame);
    }
    HandOver(self);
    return GST_FLOW_OK;
  }

  static GstFlowReturn OnTextureSample(GstAppSink* sink, gpointer data) {
    CImageCapture* self = static_cast<CImageCapture*>(data);
    const SampleHold sample(gst_app_sink_pull_sample(sink));
    if (!sample) return GST_FLOW_EOS;
    TakeOver(self);
    GstVideoFrame frame;
    if (MapSample(sample.get(), &frame)) {
      self->renderer->DoRenderSample(static_cast<const uint8_t*>(GST_VIDEO_FRAME_PLANE_DATA(&frame, 0)),
                                     GST_VIDEO_FRAME_WIDTH(&frame), GST_VIDEO_FRAME_HEIGHT(&frame),
                                     GST_VIDEO_FRAME_PLANE_STRIDE(&frame, 0),
                                     FrameLeftSourceMicros(gst_sample_get_buffer(sample.get())));
      gst_video_frame_unmap(&frame);
    }
    HandOver(self);
    return GST_FLOW_OK;
  }
};

void CImageCapture::Unref::operator()(GstElement* element) const { gst_object_unref(element); }

CImageCapture::CImageCapture(SDL_Window* window) : window(window) { CaptureNoticeEventType(); }

CImageCapture::~CImageCapture() {
  ReleaseFilters();
  modes.clear();
  devices.clear();
  renderer.reset();
}

bool CImageCapture::RequireDevice(const char* label, bool needDevice) {
  if (initialized && (deviceAttached || !needDevice)) return true;
  SetError(std::string(label) + Translate(kNotInitialized), E_FAIL);
  return false;
}

void CImageCapture::ReleaseFilters() {
  if (graph) {
    gst_element_set_state(graph.get(), GST_STATE_NULL);
    gst_bus_set_sync_handler(BusOf(graph.get()).get(), nullptr, nullptr, nullptr);
    graph.reset();
    TakeOver(this);  // the streaming threads are gone
  }
  captureFilter = sourceCaps = decoder = convert = grabberCaps = nullptr;
  attachedSource.reset();
  attachedName.clear();
  running = faulted = sourceError = false;
  initialized = deviceAttached = 0;
}

bool CImageCapture::CreateFilters() {
  ReleaseFilters();
  graph.reset(gst_pipeline_new("capture"));
  if (!graph) {
    SetError(Translate("CreateFilters(): Could not create the camera pipeline\n"), E_FAIL);
    return false;
  }
  if (!BuildPipeline()) {
    ReleaseFilters();
    return false;
  }
  gst_bus_set_sync_handler(BusOf(graph.get()).get(), Hooks::OnBusMessage, this, nullptr);
  initialized = 1;
  HandOver(this);  // to the threads GStreamer runs the hooks on
  return true;
}

// Everything after the source: converter, scaler, the tee and both branches.
bool CImageCapture::BuildPipeline() {
  convert = Make("videoconvert", "convert");
  GstElement* scale = Make("videoscale", "scale");
  grabberCaps = Make("capsfilter", "grabbercaps");
  GstElement* tee = Make("tee", "tee");
  GstElement* grabberQueue = MakeQueue();
  GstElement* grabberSink = MakeSink("grabber");
  if (!convert || !scale || !grabberCaps || !tee || !grabberQueue || !grabberSink) {
    SetError(Translate("CreateFilters(): Could not create the frame grabber: is gstreamer1.0-plugins-base installed?\n"), E_FAIL);
    return false;
  }
  GstElement* rendererQueue = MakeQueue();
  GstElement* rendererConvert = Make("videoconvert", nullptr);
  GstElement* rendererCaps = Make("capsfilter", nullptr);
  GstElement* rendererSink = MakeSink("texturerenderer");
  if (!rendererQueue || !rendererConvert || !rendererCaps || !rendererSink) {
    SetError(Translate("CreateFilters(): Could not create texture renderer object\n"), E_FAIL);
    return false;
  }
  renderer = std::make_shared<CTextureRenderer>();
  SetCaps(grabberCaps, FrameCaps("BGRx", 0, 0));
  SetCaps(rendererCaps, FrameCaps("BGR", 0, 0));
  gst_bin_add_many(GST_BIN(graph.get()), convert, scale, grabberCaps, tee, grabberQueue, grabberSink, rendererQueue,
                   rendererConvert, rendererCaps, rendererSink, nullptr);
  if (!gst_element_link_many(rendererQueue, rendererConvert, rendererCaps, rendererSink, nullptr) ||
      !gst_element_link_many(tee, rendererQueue, nullptr)) {
    SetError(Translate("CreateFilters(): Could not add renderer filter to graph\n"), E_FAIL);
    return false;
  }
  if (!gst_element_link_many(convert, scale, grabberCaps, tee, grabberQueue, grabberSink, nullptr)) {
    SetError(Translate("CreateFilters(): Could not add the frame grabber to the pipeline\n"), E_FAIL);
    return false;
  }
  GstAppSinkCallbacks grabberHooks = {};
  grabberHooks.new_sample = Hooks::OnDetectorSample;
  gst_app_sink_set_callbacks(GST_APP_SINK(grabberSink), &grabberHooks, this, nullptr);
  GstAppSinkCallbacks rendererHooks = {};
  rendererHooks.new_sample = Hooks::OnTextureSample;
  gst_app_sink_set_callbacks(GST_APP_SINK(rendererSink), &rendererHooks, this, nullptr);
  return true;
}

bool CImageCapture::SetCaptureDevice(const int32_t& index) {
  if (!RequireDevice("SetCaptureDevice()", false)) return false;
  if (index < 0 || index >= GetDeviceCount()) {
    SetError(Translate("SetCaptureDevice(): No capture devices found matching device value\n"), E_FAIL);
    return false;
  }
  gst_element_set_state(graph.get(), GST_STATE_NULL);
  running = false;
  if (captureFilter) {
    RemoveSourceFront();
    gst_bin_remove(GST_BIN(graph.get()), captureFilter);
    captureFilter = nullptr;
    attachedSource.reset();
    deviceAttached = 0;
  }
  const CVideoCaptureDevice& device = *GetDevice(index);
  if (device.GetSource()->NeedsProbe() && !ProbeSource(device)) return false;
  Owned<GstElement, gst_object_unref> source(device.GetSource()->CreateElement());
  if (!source) {
    SetError(Translate("SetCaptureDevice(): Could not open the camera: is gstreamer1.0-plugins-good installed?\n"), E_FAIL);
    return false;
  }
  if (!gst_bin_add(GST_BIN(graph.get()), source.get())) {
    SetError(Translate("SetCaptureDevice(): Could not add capture filter to graph\n"), E_FAIL);
    return false;
  }
  captureFilter = source.release();  // the pipeline's now
  attachedSource = device.GetSource();
  attachedName = device.GetName();
  deviceAttached = 1;
  return true;
}

// A camera another program holds, or one that fails outright, is refused
// here with a message that names it, so the player can choose another; a
// recording GStreamer cannot decode, with what it lacks.
bool CImageCapture::ProbeSource(const CVideoCaptureDevice& device) {
  GstElement* source = device.GetSource()->CreateElement();
  if (!source) return true;  // the attachment reports it
  const TrialResult trial = TrialStart(source);
  switch (trial.outcome) {
    case TrialResult::Outcome::Works: return true;
    case TrialResult::Outcome::Busy:
      SetError(FormatText(Translate("SetCaptureDevice(): The camera \"%s\" is busy: another program is using it. "
                                    "Close that program or choose another camera.\n"),
                          {device.GetName()}),
               E_FAIL);
      break;
    case TrialResult::Outcome::NoPermission:
      SetError("SetCaptureDevice(): " + NoPermissionText("\"" + device.GetName() + "\"") + "\n", E_FAIL);
      break;
    case TrialResult::Outcome::MissingPlugin:
      SetError(FormatText(Translate("SetCaptureDevice(): \"%s\" cannot be shown: GStreamer lacks the plug-in for it "
                                    "(%s). The packages gstreamer1.0-libav and gstreamer1.0-plugins-bad bring most "
                                    "decoders.\n"),
                          {device.GetName(), trial.text}),
               E_FAIL);
      break;
    case TrialResult::Outcome::Failed:
      SetError(FormatText(Translate("SetCaptureDevice(): The camera \"%s\" does not work: %s\n"),
                          {device.GetName(), Translate(trial.text.c_str())}),
               E_FAIL);
      break;
  }
  return false;
}

bool CImageCapture::EnumDeviceCaps() {
  // currentMode points into the list: it must not outlive its record.
  currentMode = nullptr;
  modes.clear();
  if (!RequireDevice("EnumDeviceCaps()", true)) return false;
  if (!CapsHold(attachedSource->OfferedCaps())) {
    SetError(Translate("EnumDeviceCaps(): The camera does not say which picture sizes it offers\n"), E_FAIL);
    return false;
  }
  for (const CVideoMode& mode : attachedSource->Modes()) modes.push_back(std::make_unique<CVideoMode>(mode));
  return true;
}

bool CImageCapture::SelectVideoMode(const int32_t& width, const int32_t& height, const int32_t& bitsPerPixel) {
  if (!RequireDevice("SelectVideoMode()", true)) return false;
  gst_element_set_state(graph.get(), GST_STATE_NULL);
  running = false;
  if (!ConnectSource(width, height, bitsPerPixel)) {
    SetError(Translate("SelectVideoMode(): Invalid media type"));
    return false;
  }
  SetCaps(grabberCaps, FrameCaps("BGRx", width, height));
  return true;
}

// Asks the attached source for its picture at that size and links it in
// (the outcome of the linking shows in lastError); false when it cannot
// deliver the size.
bool CImageCapture::ConnectSource(int32_t width, int32_t height, int32_t bitsPerPixel) {
  const CapsHold caps(attachedSource->SourceCaps(width, height, bitsPerPixel));
  if (!caps) return false;
  attachedSource->Configure(captureFilter, caps.get());
  ConnectFilters(caps.get());
  return true;
}

void CImageCapture::RemoveSourceFront() {
  for (GstElement** element : {&sourceCaps, &decoder}) {
    if (!*element) continue;
    gst_element_set_state(*element, GST_STATE_NULL);
    gst_bin_remove(GST_BIN(graph.get()), *element);
    *element = nullptr;
  }
}

// source ! capsfilter [! jpegdec] ! videoconvert
bool CImageCapture::ConnectFilters(GstCaps* caps) {
  RemoveSourceFront();
  sourceCaps = Make("capsfilter", "sourcecaps");
  const bool jpeg = gst_structure_has_name(gst_caps_get_structure(caps, 0), "image/jpeg");
  decoder = jpeg ? Make("jpegdec", "decoder") : nullptr;
  bool linked = sourceCaps && (!jpeg || decoder);
  if (linked) {
    g_object_set(sourceCaps, "caps", caps, nullptr);
    gst_bin_add(GST_BIN(graph.get()), sourceCaps);
    if (decoder) gst_bin_add(GST_BIN(graph.get()), decoder);
    linked = gst_element_link(captureFilter, sourceCaps) &&
             (decoder ? gst_element_link_many(sourceCaps, decoder, convert, nullptr)
                      : gst_element_link(sourceCaps, convert));
  }
  if (!linked) SetError(Translate("SetCaptureDevice(): Could not connect filters\n"), E_FAIL);
  return linked;
}

bool CImageCapture::Run() {
  if (!RequireDevice("Run()", true)) return false;
  HandOver(this);
  // Watched from here on: a camera that cannot even start (its device went
  // away after the choice, another program took it) is reported and tried
  // again as one that stopped delivering.
  running = true;
  faulted = sourceError = false;
  framesSeen = detectorFrames;
  lastProgressTick = TickCount();
  if (gst_element_set_state(graph.get(), GST_STATE_PLAYING) == GST_STATE_CHANGE_FAILURE) {
    SetError(Translate("Run(): Could not run graph\n"), E_FAIL);
    HandleGraphEvents();  // the failed start has posted its reason
    if (!sourceError) faultText = Translate("it does not start");
    sourceError = true;
    return false;
  }
  return true;
}

bool CImageCapture::Stop() {
  if (!RequireDevice("Stop()", true)) return false;
  running = false;
  gst_element_set_state(graph.get(), GST_STATE_NULL);
  TakeOver(this);
  GstState state = GST_STATE_VOID_PENDING;
  if (gst_element_get_state(graph.get(), &state, nullptr, kStopTimeout) != GST_STATE_CHANGE_SUCCESS ||
      state != GST_STATE_NULL) {
    SetError(Translate("Stop(): Could not stop graph\n"), E_FAIL);
    return false;
  }
  return true;
}

bool CImageCapture::SetVideoMode(CVideoMode* mode) {
  currentMode = mode;
  if (!mode) return false;
  return SelectVideoMode(mode->width, mode->height, mode->bitsPerPixel);
}

CVideoMode* CImageCapture::FindVideoMode(int32_t width, int32_t height, int32_t bitsPerPixel) const {
  if (!initialized || !deviceAttached) return nullptr;
  for (const auto& mode : modes)
    if (mode->width == width && mode->height == height && mode->bitsPerPixel == bitsPerPixel) return mode.get();
  return nullptr;
}

bool CImageCapture::SetFrameCallback(std::shared_ptr<CSampleGrabberCallback> callback) {
  std::atomic_store(&frameCallback, std::move(callback));
  return graph != nullptr;
}

void CImageCapture::HandleGraphEvents() {
  noticePending = false;
  if (!graph) return;
  const Owned<GstBus, gst_object_unref> bus = BusOf(graph.get());
  while (const MessageHold message{gst_bus_pop(bus.get())}) {
    if (GST_MESSAGE_TYPE(message.get()) == GST_MESSAGE_ERROR && running && !sourceError) {
      GError* parsed = nullptr;
      gst_message_parse_error(message.get(), &parsed, nullptr);
      const Owned<GError, g_error_free> error(parsed);
      sourceError = true;
      faultText = error ? error->message : "unknown error";
    } else if (GST_MESSAGE_TYPE(message.get()) == GST_MESSAGE_EOS && running) {
      gst_element_seek_simple(graph.get(), GST_FORMAT_TIME, GstSeekFlags(GST_SEEK_FLAG_FLUSH | GST_SEEK_FLAG_KEY_UNIT),
                              0);
    }
  }
}

void CImageCapture::CheckSource() {
  if (!running) return;
  HandleGraphEvents();
  const uint32_t now = TickCount();
  const uint64_t frames = detectorFrames;
  if (frames != framesSeen && !sourceError) {
    framesSeen = frames;
    lastProgressTick = now;
    if (faulted) std::fputs(FormatText(Translate("Zestbox: the camera \"%s\" delivers pictures again.\n"), {attachedName}).c_str(), stderr);
    faulted = false;
    return;
  }
  if (!faulted && (sourceError || now - lastProgressTick >= kSilenceLimitMs)) {
    if (!sourceError) faultText = "no picture for three seconds";
    ReportFault();
    lastRestartTick = now;
  }
  if (faulted && now - lastRestartTick >= kRestartIntervalMs) {
    lastRestartTick = now;
    RestartPipeline();
  }
}

void CImageCapture::ReportFault() {
  faulted = true;
  std::fputs(FormatText(Translate("Zestbox: the camera \"%s\" stopped delivering pictures (%s); the game goes on "
                                  "with the last picture.\n"),
                        {attachedName, faultText})
                 .c_str(),
             stderr);
}

bool CImageCapture::RestartPipeline() {
  gst_element_set_state(graph.get(), GST_STATE_NULL);
  FollowReplugged();
  sourceError = false;
  framesSeen = detectorFrames;
  return gst_element_set_state(graph.get(), GST_STATE_PLAYING) != GST_STATE_CHANGE_FAILURE;
}

// A system camera pulled out and plugged in again is a new device, perhaps
// at another node (/dev/video0 becomes /dev/video2): the source is made
// afresh from the device the monitor now lists under the camera's name.
// The pipeline is stopped.
void CImageCapture::FollowReplugged() {
  const auto attached = std::dynamic_pointer_cast<CSystemCamera>(attachedSource);
  const std::shared_ptr<CSystemCamera> listed = attached ? FindSystemCamera(attachedName) : nullptr;
  if (!listed || listed->IsSameDevice(*attached)) return;
  GstElement* source = listed->CreateElement();
  if (!source) return;
  RemoveSourceFront();
  gst_bin_remove(GST_BIN(graph.get()), captureFilter);
  gst_bin_add(GST_BIN(graph.get()), source);
  captureFilter = source;
  attachedSource = listed;
  if (currentMode) ConnectSource(currentMode->width, currentMode->height, currentMode->bitsPerPixel);
}
