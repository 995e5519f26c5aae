#include "audio/AudioSink.h"

#include <cstdlib>
#include <cstring>
#include <string>

#include "base/Debug.h"
#include "base/Owned.h"

namespace {

const char* RequestedSinkDescription() {
  const char* description = std::getenv("ZESTBOX_AUDIO_SINK");
  return (description != nullptr && description[0] != '\0') ? description : nullptr;
}

bool IsFakeSink(GstElement* element) {
  GstElementFactory* factory = gst_element_get_factory(element);
  return factory != nullptr &&
         std::strcmp(gst_plugin_feature_get_name(GST_PLUGIN_FEATURE(factory)), "fakesink") == 0;
}

// autoaudiosink picks its real sink when it goes to READY; a fake sink child
// means that no device could be opened.
bool HasOnlyFakeChild(GstElement* autoSink) {
  bool fake = true;
  const Owned<GstIterator, gst_iterator_free> children(gst_bin_iterate_elements(GST_BIN(autoSink)));
  GValue item = G_VALUE_INIT;
  while (gst_iterator_next(children.get(), &item) == GST_ITERATOR_OK) {
    if (!IsFakeSink(GST_ELEMENT(g_value_get_object(&item)))) {
      fake = false;
    }
    g_value_reset(&item);
  }
  g_value_unset(&item);
  return fake;
}

}  // namespace

GstElement* CreateAudioSink() {
  const char* description = RequestedSinkDescription();
  if (description == nullptr) {
    return gst_element_factory_make("autoaudiosink", nullptr);
  }
  GError* parseError = nullptr;
  GstElement* sink = gst_parse_bin_from_description(description, TRUE, &parseError);
  if (const Owned<GError, g_error_free> error{parseError}) {
    DebugOutput((std::string("audio sink '") + description + "': " + error->message + "\n").c_str());
  }
  return sink;
}

bool AudioOutputAvailable() {
  GstElement* made = CreateAudioSink();
  if (made == nullptr) {
    return false;
  }
  const Owned<GstElement, gst_object_unref> sink(GST_ELEMENT(gst_object_ref_sink(made)));
  bool available = gst_element_set_state(sink.get(), GST_STATE_READY) != GST_STATE_CHANGE_FAILURE;
  if (available && RequestedSinkDescription() == nullptr) {
    available = !HasOnlyFakeChild(sink.get());
  }
  gst_element_set_state(sink.get(), GST_STATE_NULL);
  return available;
}
