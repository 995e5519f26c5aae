#include <epoxy/gl.h>

#include "render/GlRenderDevice.h"

#include <SDL.h>

#include <algorithm>
#include <string>

#include "base/Debug.h"
#include "base/WindowSize.h"
#include "render/GlShaderSource.h"

namespace {

// GL objects outlive the context when a cached texture is freed after the
// device: they hold this token weakly and skip the GL call once it is gone.
using AliveToken = std::shared_ptr<int>;

class GlTexture : public RenderTexture {
 public:
  GlTexture(const AliveToken& alive, uint32_t width, uint32_t height, const uint32_t* pixels)
      : alive_(alive), width_(width), height_(height) {
    std::vector<uint32_t> blank;
    if (pixels == nullptr) {
      blank.assign(size_t(width) * height, 0u);
      pixels = blank.data();
    }
    glGenTextures(1, &id_);
    glBindTexture(GL_TEXTURE_2D, id_);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, GLsizei(width), GLsizei(height), 0, GL_BGRA,
                 GL_UNSIGNED_INT_8_8_8_8_REV, pixels);
    SetFilter(true);
  }
  ~GlTexture() override {
    if (!alive_.expired()) {
      glDeleteTextures(1, &id_);
    }
  }
  uint32_t Width() const override { return width_; }
  uint32_t Height() const override { return height_; }
  void Update(uint32_t x, uint32_t y, uint32_t width, uint32_t height, const uint32_t* pixels,
              uint32_t pitch) override {
    if (alive_.expired() || pixels == nullptr || x >= width_ || y >= height_) {
      return;
    }
    width = std::min(width, width_ - x);
    height = std::min(height, height_ - y);
    glBindTexture(GL_TEXTURE_2D, id_);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, GLint(pitch));
    glTexSubImage2D(GL_TEXTURE_2D, 0, GLint(x), GLint(y), GLsizei(width), GLsizei(height), GL_BGRA,
                    GL_UNSIGNED_INT_8_8_8_8_REV, pixels);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  }
  // Binds the texture to unit 0 with the sampler filter the states ask for.
  void Bind(bool linear) {
    glBindTexture(GL_TEXTURE_2D, id_);
    if (linear != linear_) {
      SetFilter(linear);
    }
  }

 private:
  void SetFilter(bool linear) {
    const GLint filter = linear ? GL_LINEAR : GL_NEAREST;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
    linear_ = linear;
  }

  std::weak_ptr<int> alive_;
  uint32_t width_, height_;
  GLuint id_ = 0;
  bool linear_ = false;
};

class GlMesh : public RenderMesh {
 public:
  GlMesh(const AliveToken& alive, const std::vector<MeshVertex>& vertices, const std::vector<uint32_t>& indices)
      : alive_(alive), vertexCount_(vertices.size()), indexCount_(indices.size()) {
    glGenVertexArrays(1, &vao_);
    glGenBuffers(1, &vbo_);
    glGenBuffers(1, &ibo_);
    glBindVertexArray(vao_);
    glBindBuffer(GL_ARRAY_BUFFER, vbo_);
    glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(vertices.size() * sizeof(MeshVertex)), vertices.data(),
                 GL_STATIC_DRAW);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, ibo_);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, GLsizeiptr(indices.size() * sizeof(uint32_t)), indices.data(),
                 GL_STATIC_DRAW);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, sizeof(MeshVertex), nullptr);
    glEnableVertexAttribArray(3);
    glVertexAttribPointer(3, 3, GL_FLOAT, GL_FALSE, sizeof(MeshVertex),
                          reinterpret_cast<const void*>(offsetof(MeshVertex, nx)));
    glBindVertexArray(0);
  }
  ~GlMesh() override {
    if (!alive_.expired()) {
      glDeleteVertexArrays(1, &vao_);
      glDeleteBuffers(1, &vbo_);
      glDeleteBuffers(1, &ibo_);
    }
  }
  size_t VertexCount() const override { return vertexCount_; }
  size_t TriangleCount() const override { return indexCount_ / 3; }
  void Draw() const {
    glBindVertexArray(vao_);
    glDrawElements(GL_TRIANGLES, GLsizei(indexCount_), GL_UNSIGNED_INT, nullptr);
  }

 private:
  std::weak_ptr<int> alive_;
  size_t vertexCount_, indexCount_;
  GLuint vao_ = 0, vbo_ = 0, ibo_ = 0;
};

struct LightUniforms {
  GLint on, directional, diffuse, position, direction, range;
};

struct Uniforms {
  GLint world, viewProjection, lighting, materialColor, ambient;
  GLint materialDiffuse, materialAmbient, materialEmissive;
  LightUniforms lights[2];
  GLint texture, textured, alphaTest, alphaRef;
};

GLuint CompileShader(GLenum kind, const char* source) {
  const GLuint shader = glCreateShader(kind);
  glShaderSource(shader, 1, &source, nullptr);
  glCompileShader(shader);
  GLint ok = GL_FALSE;
  glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
  if (!ok) {
    char log[1024] = {};
    glGetShaderInfoLog(shader, sizeof log, nullptr, log);
    DebugOutput((std::string("GL shader: ") + log + "\n").c_str());
    glDeleteShader(shader);
    return 0;
  }
  return shader;
}

GLuint LinkProgram() {
  const GLuint vertex = CompileShader(GL_VERTEX_SHADER, kSceneVertexShader);
  const GLuint fragment = CompileShader(GL_FRAGMENT_SHADER, kSceneFragmentShader);
  GLuint program = 0;
  if (vertex != 0 && fragment != 0) {
    program = glCreateProgram();
    glAttachShader(program, vertex);
    glAttachShader(program, fragment);
    glLinkProgram(program);
    GLint ok = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &ok);
    if (!ok) {
      DebugOutput("GL program did not link\n");
      glDeleteProgram(program);
      program = 0;
    }
  }
  glDeleteShader(vertex);
  glDeleteShader(fragment);
  return program;
}

Uniforms FindUniforms(GLuint program) {
  auto at = [program](const std::string& name) { return glGetUniformLocation(program, name.c_str()); };
  Uniforms u{};
  u.world = at("u_world");
  u.viewProjection = at("u_viewProjection");
  u.lighting = at("u_lighting");
  u.materialColor = at("u_materialColor");
  u.ambient = at("u_ambient");
  u.materialDiffuse = at("u_materialDiffuse");
  u.materialAmbient = at("u_materialAmbient");
  u.materialEmissive = at("u_materialEmissive");
  for (int i = 0; i < 2; ++i) {
    const std::string light = "u_lights[" + std::to_string(i) + "].";
    u.lights[i] = {at(light + "on"),        at(light + "directional"), at(light + "diffuse"),
                   at(light + "position"),  at(light + "direction"),   at(light + "range")};
  }
  u.texture = at("u_texture");
  u.textured = at("u_textured");
  u.alphaTest = at("u_alphaTest");
  u.alphaRef = at("u_alphaRef");
  return u;
}

GLenum ToGl(BlendFactor factor) {
  switch (factor) {
    case BlendFactor::Zero: return GL_ZERO;
    case BlendFactor::One: return GL_ONE;
    case BlendFactor::SrcColor: return GL_SRC_COLOR;
    case BlendFactor::InvSrcColor: return GL_ONE_MINUS_SRC_COLOR;
    case BlendFactor::SrcAlpha: return GL_SRC_ALPHA;
    case BlendFactor::InvSrcAlpha: return GL_ONE_MINUS_SRC_ALPHA;
    case BlendFactor::DestColor: return GL_DST_COLOR;
    case BlendFactor::InvDestColor: return GL_ONE_MINUS_DST_COLOR;
  }
  return GL_ONE;
}

void SetColorUniform(GLint location, uint32_t argb) {
  glUniform3f(location, float((argb >> 16) & 0xFF) / 255.0f, float((argb >> 8) & 0xFF) / 255.0f,
              float(argb & 0xFF) / 255.0f);
}

// Maps viewport pixels (y down) with their depth onto clip space.
Matrix4 PixelProjection(uint32_t width, uint32_t height) {
  Matrix4 r = MatrixIdentity();
  r.m[0][0] = 2.0f / float(width);
  r.m[1][1] = -2.0f / float(height);
  r.m[3][0] = -1.0f;
  r.m[3][1] = 1.0f;
  return r;
}

// Without glClipControl GL clips depth to -1..1: z' = 2z - w gives the same
// depth buffer values as the scene's 0..1 range.
Matrix4 DepthRangeFix() {
  Matrix4 r = MatrixIdentity();
  r.m[2][2] = 2.0f;
  r.m[3][2] = -1.0f;
  return r;
}

// The largest 4:3 rectangle of a window of `width` x `height` pixels, centred;
// the rest of the window stays black. Empty for an empty window.
Viewport FitViewport(int width, int height) {
  Viewport viewport;
  if (width <= 0 || height <= 0) {
    return viewport;
  }
  const int64_t w = width, h = height;
  const int64_t fitWidth = w * 3 > h * 4 ? h * 4 / 3 : w;
  const int64_t fitHeight = w * 3 > h * 4 ? h : w * 3 / 4;
  viewport.width = uint32_t(std::max<int64_t>(fitWidth, 1));
  viewport.height = uint32_t(std::max<int64_t>(fitHeight, 1));
  viewport.x = int32_t((w - fitWidth) / 2);
  viewport.y = int32_t((h - fitHeight) / 2);
  return viewport;
}

}  // namespace

struct GlRenderDevice::Impl {
  SDL_Window* window = nullptr;
  SDL_GLContext context = nullptr;
  AliveToken alive = std::make_shared<int>(0);
  bool clipControl = false;
  GLuint program = 0, vao = 0, vbo = 0;
  Uniforms u{};
  GLuint fbo = 0, colorBuffer = 0, depthBuffer = 0;
  uint32_t targetWidth = 0, targetHeight = 0;

  RenderStates states;
  Matrix4 world = MatrixIdentity(), view = MatrixIdentity(), projection = MatrixIdentity();
  Light lights[2];
  Material material;
  GlTexture* texture = nullptr;

  ~Impl();
  bool Init();
  Viewport ComputeViewport() const;
  void EnsureTarget();
  void ApplyBlend(bool on, BlendFactor src, BlendFactor dest) const;
  void ApplyDraw(const Matrix4& worldMatrix, const Matrix4& viewProjection, bool lit, bool meshColors);
  void ApplyLights() const;
  void StreamStrip(const Vertex* vertices, uint32_t count);
  Matrix4 SceneViewProjection() const;
};

GlRenderDevice::Impl::~Impl() {
  if (context == nullptr) {
    return;
  }
  glDeleteFramebuffers(1, &fbo);
  glDeleteRenderbuffers(1, &colorBuffer);
  glDeleteRenderbuffers(1, &depthBuffer);
  glDeleteBuffers(1, &vbo);
  glDeleteVertexArrays(1, &vao);
  glDeleteProgram(program);
  alive.reset();
  SDL_GL_DeleteContext(context);
}

bool GlRenderDevice::Impl::Init() {
  if (epoxy_gl_version() < 33) {
    DebugOutput("OpenGL 3.3 is not available\n");
    return false;
  }
  program = LinkProgram();
  if (program == 0) {
    return false;
  }
  u = FindUniforms(program);
  clipControl = epoxy_gl_version() >= 45 || epoxy_has_gl_extension("GL_ARB_clip_control");
  if (clipControl) {
    glClipControl(GL_LOWER_LEFT, GL_ZERO_TO_ONE);
  }
  glGenVertexArrays(1, &vao);
  glGenBuffers(1, &vbo);
  glBindVertexArray(vao);
  glBindBuffer(GL_ARRAY_BUFFER, vbo);
  glEnableVertexAttribArray(0);
  glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, sizeof(Vertex), nullptr);
  glEnableVertexAttribArray(1);
  glVertexAttribPointer(1, GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE, sizeof(Vertex),
                        reinterpret_cast<const void*>(offsetof(Vertex, diffuse)));
  glEnableVertexAttribArray(2);
  glVertexAttribPointer(2, 2, GL_FLOAT, GL_FALSE, sizeof(Vertex), reinterpret_cast<const void*>(offsetof(Vertex, u)));
  // What the attributes a kind of geometry does not carry read as.
  glVertexAttrib4f(1, 1.0f, 1.0f, 1.0f, 1.0f);
  glVertexAttrib2f(2, 0.0f, 0.0f);
  glVertexAttrib3f(3, 0.0f, 0.0f, 0.0f);
  glUseProgram(program);
  glUniform1i(u.texture, 0);
  EnsureTarget();
  return glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
}

Viewport GlRenderDevice::Impl::ComputeViewport() const {
  int width = 0, height = 0;
  GetWindowPixelSize(window, width, height);
  return FitViewport(width, height);
}

void GlRenderDevice::Impl::EnsureTarget() {
  const Viewport viewport = ComputeViewport();
  const uint32_t width = std::max<uint32_t>(viewport.width, 1), height = std::max<uint32_t>(viewport.height, 1);
  if (fbo == 0) {
    glGenFramebuffers(1, &fbo);
    glGenRenderbuffers(1, &colorBuffer);
    glGenRenderbuffers(1, &depthBuffer);
  }
  glBindFramebuffer(GL_FRAMEBUFFER, fbo);
  if (width != targetWidth || height != targetHeight) {
    glBindRenderbuffer(GL_RENDERBUFFER, colorBuffer);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, GLsizei(width), GLsizei(height));
    glBindRenderbuffer(GL_RENDERBUFFER, depthBuffer);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, GLsizei(width), GLsizei(height));
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colorBuffer);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depthBuffer);
    targetWidth = width;
    targetHeight = height;
  }
  // Other GL code in the same context (the camera dialog's user interface)
  // may have changed any of these since the last frame.
  glViewport(0, 0, GLsizei(width), GLsizei(height));
  glUseProgram(program);
  glActiveTexture(GL_TEXTURE0);
  glDisable(GL_SCISSOR_TEST);
  glDisable(GL_CULL_FACE);
  glDepthFunc(GL_LEQUAL);
}

void GlRenderDevice::Impl::ApplyBlend(bool on, BlendFactor src, BlendFactor dest) const {
  if (on) {
    glEnable(GL_BLEND);
    glBlendFunc(ToGl(src), ToGl(dest));
  } else {
    glDisable(GL_BLEND);
  }
}

void GlRenderDevice::Impl::ApplyLights() const {
  const uint32_t ambient = states.ambient;
  SetColorUniform(u.ambient, ambient);
  glUniform4f(u.materialDiffuse, material.diffuse.r, material.diffuse.g, material.diffuse.b, material.diffuse.a);
  glUniform3f(u.materialAmbient, material.ambient.r, material.ambient.g, material.ambient.b);
  glUniform3f(u.materialEmissive, material.emissive.r, material.emissive.g, material.emissive.b);
  for (int i = 0; i < 2; ++i) {
    const Light& light = lights[i];
    const LightUniforms& lu = u.lights[i];
    glUniform1i(lu.on, light.enabled ? 1 : 0);
    glUniform1i(lu.directional, light.type == LightType::Directional ? 1 : 0);
    glUniform3f(lu.diffuse, light.diffuse.r, light.diffuse.g, light.diffuse.b);
    glUniform3f(lu.position, light.position.x, light.position.y, light.position.z);
    glUniform3f(lu.direction, light.direction.x, light.direction.y, light.direction.z);
    glUniform1f(lu.range, light.range);
  }
}

// Puts the current states, transforms and texture into GL for one draw.
void GlRenderDevice::Impl::ApplyDraw(const Matrix4& worldMatrix, const Matrix4& viewProjection, bool lit,
                                     bool meshColors) {
  if (states.depthTest) {
    glEnable(GL_DEPTH_TEST);
  } else {
    glDisable(GL_DEPTH_TEST);
  }
  glUniformMatrix4fv(u.world, 1, GL_FALSE, &worldMatrix.m[0][0]);
  const Matrix4 clip = clipControl ? viewProjection : viewProjection * DepthRangeFix();
  glUniformMatrix4fv(u.viewProjection, 1, GL_FALSE, &clip.m[0][0]);
  glUniform1i(u.lighting, lit ? 1 : 0);
  glUniform1i(u.materialColor, meshColors ? 1 : 0);
  if (lit || meshColors) {
    ApplyLights();
  }
  glUniform1i(u.alphaTest, states.alphaTest ? 1 : 0);
  glUniform1f(u.alphaRef, float(states.alphaRef));
  glUniform1i(u.textured, texture != nullptr ? 1 : 0);
  if (texture != nullptr) {
    texture->Bind(states.linearFilter);
  }
}

void GlRenderDevice::Impl::StreamStrip(const Vertex* vertices, uint32_t count) {
  glBindVertexArray(vao);
  glBindBuffer(GL_ARRAY_BUFFER, vbo);
  glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(count * sizeof(Vertex)), vertices, GL_STREAM_DRAW);
  glDrawArrays(GL_TRIANGLE_STRIP, 0, GLsizei(count));
}

Matrix4 GlRenderDevice::Impl::SceneViewProjection() const { return view * projection; }

std::unique_ptr<GlRenderDevice> GlRenderDevice::Create(SDL_Window* window) {
  if (window == nullptr) {
    return nullptr;
  }
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  auto impl = std::make_unique<Impl>();
  impl->window = window;
  impl->context = SDL_GL_CreateContext(window);
  if (impl->context == nullptr) {
    DebugOutput((std::string("No OpenGL context: ") + SDL_GetError() + "\n").c_str());
    return nullptr;
  }
  SDL_GL_MakeCurrent(window, impl->context);
  SDL_GL_SetSwapInterval(1);
  if (!impl->Init()) {
    return nullptr;
  }
  return std::unique_ptr<GlRenderDevice>(new GlRenderDevice(std::move(impl)));
}

GlRenderDevice::GlRenderDevice(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

GlRenderDevice::~GlRenderDevice() = default;

void GlRenderDevice::Clear(uint32_t color, float depth) {
  impl_->EnsureTarget();
  glClearColor(float((color >> 16) & 0xFF) / 255.0f, float((color >> 8) & 0xFF) / 255.0f,
               float(color & 0xFF) / 255.0f, float(color >> 24) / 255.0f);
  glClearDepth(depth);
  glDepthMask(GL_TRUE);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

bool GlRenderDevice::BeginScene() {
  impl_->EnsureTarget();
  return true;
}

void GlRenderDevice::EndScene() { glFlush(); }

bool GlRenderDevice::Present() {
  int width = 0, height = 0;
  GetWindowPixelSize(impl_->window, width, height);
  const Viewport viewport = FitViewport(width, height);
  glBindFramebuffer(GL_READ_FRAMEBUFFER, impl_->fbo);
  glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
  glViewport(0, 0, width, height);
  if (viewport.width != uint32_t(width) || viewport.height != uint32_t(height)) {
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);  // the bars beside or above the picture
    glClear(GL_COLOR_BUFFER_BIT);
  }
  // GL counts window rows from the bottom.
  const GLint bottom = GLint(height) - viewport.y - GLint(viewport.height);
  glBlitFramebuffer(0, 0, GLint(impl_->targetWidth), GLint(impl_->targetHeight), viewport.x, bottom,
                    viewport.x + GLint(viewport.width), bottom + GLint(viewport.height), GL_COLOR_BUFFER_BIT,
                    GL_NEAREST);
  SDL_GL_SwapWindow(impl_->window);
  glBindFramebuffer(GL_FRAMEBUFFER, impl_->fbo);
  glViewport(0, 0, GLsizei(impl_->targetWidth), GLsizei(impl_->targetHeight));
  return true;
}

Viewport GlRenderDevice::GetViewport() const { return impl_->ComputeViewport(); }

const RenderStates& GlRenderDevice::GetStates() const { return impl_->states; }

void GlRenderDevice::SetStates(const RenderStates& states) { impl_->states = states; }

void GlRenderDevice::SetTransform(TransformKind kind, const Matrix4& matrix) {
  switch (kind) {
    case TransformKind::World: impl_->world = matrix; break;
    case TransformKind::View: impl_->view = matrix; break;
    case TransformKind::Projection: impl_->projection = matrix; break;
  }
}

const Matrix4& GlRenderDevice::GetTransform(TransformKind kind) const {
  switch (kind) {
    case TransformKind::View: return impl_->view;
    case TransformKind::Projection: return impl_->projection;
    default: return impl_->world;
  }
}

void GlRenderDevice::SetLight(uint32_t index, const Light& light) {
  if (index < 2) {
    impl_->lights[index] = light;
  }
}

void GlRenderDevice::SetMaterial(const Material& material) { impl_->material = material; }

std::unique_ptr<RenderTexture> GlRenderDevice::CreateTexture(uint32_t width, uint32_t height,
                                                             const uint32_t* pixels) {
  GLint maxSize = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
  if (width == 0 || height == 0 || width > uint32_t(maxSize) || height > uint32_t(maxSize)) {
    return nullptr;
  }
  return std::make_unique<GlTexture>(impl_->alive, width, height, pixels);
}

std::unique_ptr<RenderMesh> GlRenderDevice::CreateMesh(const std::vector<MeshVertex>& vertices,
                                                       const std::vector<uint32_t>& indices) {
  if (vertices.empty() || indices.size() < 3) {
    return nullptr;
  }
  return std::make_unique<GlMesh>(impl_->alive, vertices, indices);
}

void GlRenderDevice::SetTexture(RenderTexture* texture) { impl_->texture = dynamic_cast<GlTexture*>(texture); }

void GlRenderDevice::DrawTriangleStrip(const Vertex* vertices, uint32_t count) {
  if (vertices == nullptr || count < 3) {
    return;
  }
  const RenderStates& s = impl_->states;
  impl_->ApplyBlend(s.alphaBlend, s.srcBlend, s.destBlend);
  impl_->ApplyDraw(impl_->world, impl_->SceneViewProjection(), s.lighting, false);
  impl_->StreamStrip(vertices, count);
}

void GlRenderDevice::DrawMesh(const RenderMesh& mesh) {
  const GlMesh* glMesh = dynamic_cast<const GlMesh*>(&mesh);
  if (glMesh == nullptr) {
    return;
  }
  const RenderStates& s = impl_->states;
  impl_->ApplyBlend(s.alphaBlend, s.srcBlend, s.destBlend);
  impl_->ApplyDraw(impl_->world, impl_->SceneViewProjection(), s.lighting, true);
  glMesh->Draw();
}

void GlRenderDevice::DrawSprite(const SpriteDraw& sprite) {
  GlTexture* const texture = dynamic_cast<GlTexture*>(sprite.texture);
  const PixelRect& source = sprite.source;
  if (texture == nullptr || source.right <= source.left || source.bottom <= source.top) {
    return;
  }
  const float w = float(source.right - source.left), h = float(source.bottom - source.top);
  const float texW = float(texture->Width()), texH = float(texture->Height());
  const float corners[4][2] = {{0, 0}, {w, 0}, {0, h}, {w, h}};
  Vertex quad[4];
  for (int i = 0; i < 4; ++i) {
    const Vec3 local{sprite.position.x - sprite.center.x + corners[i][0],
                     sprite.position.y - sprite.center.y + corners[i][1], sprite.position.z};
    const Vec4 p = Transform(local, sprite.transform);
    const float invW = p.w != 0.0f ? 1.0f / p.w : 1.0f;
    quad[i] = {p.x * invW, p.y * invW, p.z * invW, sprite.color, (float(source.left) + corners[i][0]) / texW,
               (float(source.top) + corners[i][1]) / texH};
  }
  GlTexture* const previous = impl_->texture;
  impl_->texture = texture;
  impl_->ApplyBlend(true, BlendFactor::SrcAlpha, BlendFactor::InvSrcAlpha);
  impl_->ApplyDraw(MatrixIdentity(), PixelProjection(impl_->targetWidth, impl_->targetHeight), false, false);
  impl_->StreamStrip(quad, 4);
  impl_->texture = previous;
}

bool GlRenderDevice::ReadPixels(std::vector<uint32_t>& pixels, uint32_t& width, uint32_t& height) {
  impl_->EnsureTarget();
  width = impl_->targetWidth;
  height = impl_->targetHeight;
  std::vector<uint32_t> bottomUp(size_t(width) * height);
  while (glGetError() != GL_NO_ERROR) {
  }
  glBindFramebuffer(GL_READ_FRAMEBUFFER, impl_->fbo);
  glPixelStorei(GL_PACK_ALIGNMENT, 4);
  glReadPixels(0, 0, GLsizei(width), GLsizei(height), GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, bottomUp.data());
  pixels.resize(bottomUp.size());
  for (uint32_t y = 0; y < height; ++y) {
    const uint32_t* row = bottomUp.data() + size_t(height - 1 - y) * width;
    // The frame has no transparency: a screenshot is opaque.
    std::transform(row, row + width, pixels.begin() + size_t(y) * width,
                   [](uint32_t argb) { return argb | 0xFF000000u; });
  }
  return glGetError() == GL_NO_ERROR;
}
