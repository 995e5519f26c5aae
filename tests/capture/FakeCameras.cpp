#include <gst/gst.h>

#include <algorithm>

#include "CaptureDriver.h"

namespace {

constexpr char kProviderName[] = "zestboxfakecameras";

// A plugged-in camera: its elements come from a camera source of ours.
struct FakeDevice {
  GstDevice device;
  std::shared_ptr<CCameraSource>* source;
};
using FakeDeviceClass = GstDeviceClass;
G_DEFINE_TYPE(FakeDevice, zestbox_fake_device, GST_TYPE_DEVICE)

void zestbox_fake_device_class_init(FakeDeviceClass* cls) {
  cls->create_element = [](GstDevice* device, const gchar* name) {
    GstElement* element = (*reinterpret_cast<FakeDevice*>(device)->source)->CreateElement();
    if (element && name) gst_object_set_name(GST_OBJECT(element), name);
    return element;
  };
  G_OBJECT_CLASS(cls)->finalize = [](GObject* object) {
    delete reinterpret_cast<FakeDevice*>(object)->source;
    G_OBJECT_CLASS(zestbox_fake_device_parent_class)->finalize(object);
  };
}

void zestbox_fake_device_init(FakeDevice* device) { device->source = nullptr; }

// The provider: its devices are whatever the tests plug in.
using FakeProvider = GstDeviceProvider;
using FakeProviderClass = GstDeviceProviderClass;
G_DEFINE_TYPE(FakeProvider, zestbox_fake_provider, GST_TYPE_DEVICE_PROVIDER)

void zestbox_fake_provider_class_init(FakeProviderClass* cls) {
  cls->probe = [](GstDeviceProvider* self) {
    GST_OBJECT_LOCK(self);
    GList* devices = g_list_copy_deep(
        self->devices, [](gconstpointer device, gpointer) { return gst_object_ref(const_cast<gpointer>(device)); },
        nullptr);
    GST_OBJECT_UNLOCK(self);
    return devices;
  };
  cls->start = [](GstDeviceProvider*) -> gboolean { return TRUE; };
  gst_device_provider_class_set_static_metadata(cls, "Test cameras", "Source/Video", "Cameras the tests plug in",
                                                "Zestbox");
}

void zestbox_fake_provider_init(FakeProvider*) {}

}  // namespace

FakeCameras::FakeCameras() {
  gst_init(nullptr, nullptr);
  if (GstDeviceProviderFactory* registered = gst_device_provider_factory_find(kProviderName))
    gst_object_unref(registered);
  else
    gst_plugin_register_static(
        GST_VERSION_MAJOR, GST_VERSION_MINOR, kProviderName, "Cameras the tests plug in",
        [](GstPlugin* plugin) {
          return gst_device_provider_register(plugin, kProviderName, GST_RANK_PRIMARY,
                                              zestbox_fake_provider_get_type());
        },
        "1.0", "LGPL", "zestbox", "zestbox", "https://zestbox.invalid/");
  provider = gst_device_provider_factory_get_by_name(kProviderName);
}

FakeCameras::~FakeCameras() {
  while (!plugged.empty()) Unplug(plugged.back());
  if (provider) gst_object_unref(provider);
}

GstDevice* FakeCameras::Plug(const std::string& name, const char* caps, const std::string& node,
                             std::shared_ptr<CCameraSource> source) {
  GstCaps* listed = gst_caps_from_string(caps);
  GstStructure* properties = gst_structure_new("v4l2deviceprovider", "device.path", G_TYPE_STRING, node.c_str(),
                                               "device.api", G_TYPE_STRING, "v4l2", nullptr);
  GstDevice* device = GST_DEVICE(g_object_new(zestbox_fake_device_get_type(), "display-name", name.c_str(),
                                              "device-class", "Video/Source", "caps", listed, "properties",
                                              properties, nullptr));
  reinterpret_cast<FakeDevice*>(device)->source = new std::shared_ptr<CCameraSource>(std::move(source));
  gst_caps_unref(listed);
  gst_structure_free(properties);
  gst_device_provider_device_add(provider, GST_DEVICE(gst_object_ref_sink(device)));
  plugged.push_back(device);
  return device;
}

void FakeCameras::Unplug(GstDevice* camera) {
  gst_device_provider_device_remove(provider, camera);
  plugged.erase(std::remove(plugged.begin(), plugged.end(), camera), plugged.end());
  gst_object_unref(camera);
}
