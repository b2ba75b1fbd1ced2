// The sound decoders: WAV and Ogg Vorbis whole, and Vorbis streamed (as
// music plays), looping over the end.
#include <memory>
#include <string>

#include "AudioDecode.h"
#include "FuzzTarget.h"

GS_FUZZ_TARGET(wav) {
  plat::TPcm pcm;
  std::string error;
  plat::DecodeWav(FuzzBytes(data, size), pcm, error);
  return 0;
}

GS_FUZZ_TARGET(vorbis) {
  auto bytes = std::make_shared<const std::vector<uint8_t>>(FuzzBytes(data, size));
  plat::TPcm pcm;
  std::string error;
  plat::DecodeVorbis(bytes, pcm, error);
  if (auto stream = plat::TVorbisStream::Open(bytes, error)) {
    std::vector<int16_t> chunk(4096 * 2);
    for (int i = 0; i < 8; ++i) stream->Read(chunk.data(), 4096, true);
  }
  return 0;
}
