#include "TChannelArray.h"

#include <algorithm>

#include "TTalvorineGame.h"

namespace {

float SoundVolumeFactor() { return Game ? float(Game->SoundVolume) / 100.0f : 1.0f; }

}  // namespace

std::shared_ptr<TChannelArray> TChannelArray::Create(int n) {
  auto pool = std::make_shared<TChannelArray>();
  for (int i = 0; i < n; ++i) pool->Channels.push_back(TGameChannel::Create());
  if (!pool->Channels.empty()) pool->Current = pool->Channels.front();
  return pool;
}

bool TChannelArray::Free(const TGameChannel& channel) const {
  return !channel.Reserved && (!channel.PlayWhenFinished || !channel.Playing());
}

TGameChannelPtr TChannelArray::GetChannel() {
  size_t n = Channels.size();
  if (n == 0) return nullptr;
  auto at = std::find(Channels.begin(), Channels.end(), Current);
  size_t start = at == Channels.end() ? n - 1 : size_t(at - Channels.begin());
  // Every other channel first, the last one handed out last.
  for (size_t step = 1; step <= n; ++step) {
    const TGameChannelPtr& candidate = Channels[(start + step) % n];
    if (Free(*candidate)) {
      Current = candidate;
      return candidate;
    }
  }
  return nullptr;
}

float TChannelArray::BalanceVolumes(int extra) {
  int n = CountPlaying() + extra;
  float volume = n <= 0 ? 1.0f : std::min(1.0f, MaxVol / float(n));
  SetVolume(volume);
  return volume;
}

void TChannelArray::SetVolume(float v) {
  float game = SoundVolumeFactor();
  for (const auto& c : Channels) {
    if (c->Channel) plat::SetChannelVolume(c->Channel, c->OriginalVolume * v * game);
  }
}

TGameChannelPtr TChannelArray::PlayGameSound(const TGameSoundPtr& sound, TGameChannelPtr channel,
                                             float volume, float pan) {
  if (!sound || (Game && !Game->Sound)) return nullptr;
  if (!channel) channel = GetChannel();
  if (!channel) return nullptr;
  channel->OriginalVolume = volume;
  sound->volume = volume * BalanceVolumes(1);
  sound->PlayInChannel(channel->Channel, pan);
  return channel;
}

void TChannelArray::StopGameChannel(const TGameChannelPtr& channel) {
  auto at = std::find(Channels.begin(), Channels.end(), channel);
  if (at == Channels.end()) return;
  Channels.erase(at);
  channel->Kill();
  Channels.push_back(TGameChannel::Create());
  Current = Channels.back();
}

void TChannelArray::Kill() {
  for (const auto& c : Channels) c->Kill();
  Channels.clear();
  Current = nullptr;
}

int TChannelArray::CountPlaying() const {
  return int(std::count_if(Channels.begin(), Channels.end(),
                           [](const TGameChannelPtr& c) { return c->Playing(); }));
}

TGameChannelPtr TChannelArray::ChannelByIndex(int i) const {
  if (i < 1 || i > Count()) return nullptr;
  return Channels[size_t(i - 1)];
}
