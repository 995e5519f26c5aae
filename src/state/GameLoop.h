#pragma once
#include <cstdint>
#include <mutex>
#include <vector>

#include "audio/MusicPlayer.h"
#include "scores/Hiscores.h"
#include "state/DisableScreenSaver.h"

class CAbstractLayer;
class CAudioEngine;
class CFadeEffect;
class HiscoreLayer;

// The base of every screen of the game. A state builds its layers in Start,
// runs its own logic in Update (every pass of the application's loop), and
// ends by fading out and calling Finish with a result code; the application
// then deletes it and builds the successor that the code names.
//
// The state owns every layer in its list except shared ones (the live camera
// layer, which the capture engine owns). All operations run on the main
// thread; the layer list is also locked, recursively, so that a layer that
// calls back into its state does not block.
class CGameLoop {
 public:
  CGameLoop();
  // Clears the layers (shared ones survive), frees the cached textures no one
  // uses any more, restores the screen saver, then stops and releases the
  // music (which blocks for CMusicPlayer::kReleaseWaitMs).
  virtual ~CGameLoop();
  CGameLoop(const CGameLoop&) = delete;
  CGameLoop& operator=(const CGameLoop&) = delete;

  // A key command from the application: 13 (Enter), 37 (Left) or 39 (Right).
  virtual int32_t OnKey(int32_t key);
  // The player asked to leave (Escape, Alt+X). Usually starts the fade-out
  // and the state's leaving phase. Not called while IsFadingOut().
  virtual int32_t Leave() = 0;
  // The state's own logic; every idle pass of the application's loop.
  virtual void Update();
  // Called once right after construction. Subclasses add their own layers
  // first and call this last, so that the fade layer is drawn over all.
  virtual void Start();

  void AddLayer(CAbstractLayer* layer);
  // Takes the first entry equal to `layer` out of the list; not destroyed.
  void RemoveLayer(CAbstractLayer* layer);
  // RemoveLayer, then destroys the layer.
  void DeleteLayer(CAbstractLayer* layer);
  // Destroys every owned layer and empties the list.
  void ClearLayers();
  // Every layer's Update, first to last; once per drawn frame.
  void UpdateLayers();
  // Every layer's Render with `d3dDevice`, first to last; nothing at all once
  // a leaving state's fade-out has covered the screen.
  void RenderLayers();
  // The drawing area is now `width` x `height` pixels (the window changed
  // size): every layer converts what it keeps in viewport pixels. Called by
  // the application as soon as it sees the change.
  virtual void SetViewportSize(uint32_t width, uint32_t height);

  // The state is done: the application switches at its next drawn frame.
  void Finish(int32_t code);
  // Opens `fileName` as looping music at 90 percent with notices on; the
  // state starts it with music.Play().
  void StartMusic(const char* fileName);
  void StopMusic();
  // True while the fade layer is fading out.
  bool IsFadingOut() const;
  // A qualifying score of `gameKind` (the egg game's ending): enters it in
  // the table with an empty name and appends the table, titled `title`, over
  // ./res/bluebg.bmp with the new row highlighted for the name entry.
  void ShowHiscoreEntry(const char* title, int32_t score, int32_t gameKind);
  // The engine the state's sound effects play through, handed over by the
  // application before Start; without one they stay silent. Not owned.
  void SetAudioEngine(CAudioEngine* engine) { audioEngine = engine; }
  void SetLastKey(int32_t key);
  // The last key recorded (a virtual-key code), or -1; forgets it.
  int32_t TakeKey();

  int32_t IsFinished() const { return finished; }
  int32_t GetResult() const { return result; }
  bool IsStarted() const { return started != 0; }
  CMusicPlayer& Music() { return music; }
  HiscoreLayer* GetHiscoreLayer() const { return hiscoreLayer; }
  // A snapshot of the list, in drawing order.
  std::vector<CAbstractLayer*> Layers() const;

  // True for layers the state shows but does not own: the live camera layer
  // (any CVideoTextureLayer), which belongs to the capture engine.
  static bool IsSharedLayer(const CAbstractLayer* layer);

 protected:
  CMusicPlayer music;
  CAudioEngine* audioEngine = nullptr;
  Hiscores hiscores;
  int32_t lastKey = -1;
  int32_t started = 0;
  CDisableScreenSaver screenSaverGuard;
  CFadeEffect* fade = nullptr;  // owned through `layers`; made by Start
  int32_t closing = 0;          // set by a leaving state; with a finished fade-out nothing is drawn
  uint32_t startTick = 0;       // set by subclasses that time themselves
  int32_t result = 0;
  int32_t finished = 0;
  std::vector<CAbstractLayer*> layers;
  HiscoreLayer* hiscoreLayer = nullptr;  // made by ShowHiscoreEntry; owned through `layers`
  mutable std::recursive_mutex layerLock;
};
