#include "TGameChannel.h"

std::shared_ptr<TGameChannel> TGameChannel::Create() {
  auto channel = std::make_shared<TGameChannel>();
  channel->Channel = plat::AllocChannel();
  return channel;
}

void TGameChannel::Kill() {
  if (Channel) plat::StopChannel(Channel);
}
