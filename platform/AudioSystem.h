// The one OpenAL device of the process, the registry of live sounds and
// channels, the source budget, and the thread that keeps music streams fed.
//
// A device that does not pace its output (ALSA's null device takes samples
// as fast as they come) would keep OpenAL's mixer, and every caller waiting
// on it, busy without end. The first moments after opening compare the
// device's clock with the real one; a device that runs far ahead is
// replaced by a loopback device that the stream thread mixes by the clock,
// discarding the result (nobody hears a device that plays nothing).
//
// Every member is used under Mutex() except Select and Close, which take it
// themselves (they must wait for the stream thread, which needs the lock).
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "Platform.h"

struct ALCdevice_struct;
struct ALCcontext_struct;

namespace plat {

class TAudioSystem {
 public:
  // Null only while the program is being torn down.
  static std::shared_ptr<TAudioSystem> Get();

  TAudioSystem() = default;
  ~TAudioSystem();
  TAudioSystem(const TAudioSystem&) = delete;
  TAudioSystem& operator=(const TAudioSystem&) = delete;

  std::recursive_mutex& Mutex() { return mutex_; }

  // Closes the current device, then opens the default device for any
  // OpenAL, DirectSound or FreeAudio name. "None" just closes (and
  // succeeds); an unknown name or a device that will not open leaves the
  // driver at "None" and fails.
  bool Select(const std::string& name);
  void Close();

  bool DeviceOpen() const { return context_ != nullptr; }
  // Mixing by the clock on a loopback device (the device did not pace).
  bool MixingByClock() const { return clocked_; }
  const std::string& DriverName() const { return driver_; }

  void Register(TChannel::Impl* channel) { channels_.insert(channel); }
  void Unregister(TChannel::Impl* channel) { channels_.erase(channel); }
  void Register(TSound::Impl* sound) { sounds_.insert(sound); }
  void Unregister(TSound::Impl* sound) { sounds_.erase(sound); }

  // A source for the requester: a new one while under the budget, else one
  // taken from a channel that has gone quiet. 0 when every source is busy.
  unsigned AcquireSource(TChannel::Impl* requester);
  void DeleteSource(unsigned source);
  int LiveSources() const { return liveSources_; }
  // Starts the stream thread's next round now (a stream was started).
  void WakeStreamer() { wake_.notify_all(); }

  static constexpr int kMaxSources = 64;

 private:
  bool DeviceAllowed() const;
  bool OpenDevice();
  void CloseDevice();
  void StreamLoop();
  // Whether the device has run far ahead of the real clock since opening;
  // switches to mixing by the clock when it has.
  void CheckPacing();
  bool OpenLoopback();
  void MixByClock();

  std::recursive_mutex mutex_;
  std::condition_variable_any wake_;
  std::thread streamer_;
  bool stopStreamer_ = false;

  ALCdevice_struct* device_ = nullptr;
  ALCcontext_struct* context_ = nullptr;
  std::string driver_ = "None";
  int liveSources_ = 0;

  using TClock = std::chrono::steady_clock;
  bool probing_ = false;
  TClock::time_point probeStart_{};
  int64_t probeDeviceStart_ = 0;
  bool clocked_ = false;
  TClock::time_point mixStart_{};
  int64_t framesMixed_ = 0;
  std::vector<int16_t> discard_;
  std::set<TChannel::Impl*> channels_;
  std::set<TSound::Impl*> sounds_;
};

}  // namespace plat
