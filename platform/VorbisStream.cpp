#include "VorbisStream.h"

#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <bit>
#include <cstring>

namespace plat {

namespace {

struct TMemorySource {
  TSharedBytes bytes;
  size_t pos = 0;
};

size_t MemRead(void* ptr, size_t size, size_t count, void* data) {
  auto* src = static_cast<TMemorySource*>(data);
  if (size == 0) return 0;
  size_t left = src->bytes->size() - src->pos;
  size_t items = std::min(count, left / size);
  if (items == 0) return 0;  // an empty file has no bytes to copy from at all
  std::memcpy(ptr, src->bytes->data() + src->pos, items * size);
  src->pos += items * size;
  return items;
}

int MemSeek(void* data, ogg_int64_t offset, int whence) {
  auto* src = static_cast<TMemorySource*>(data);
  int64_t base = 0;
  if (whence == SEEK_CUR) base = int64_t(src->pos);
  if (whence == SEEK_END) base = int64_t(src->bytes->size());
  int64_t target = base + offset;
  if (target < 0 || target > int64_t(src->bytes->size())) return -1;
  src->pos = size_t(target);
  return 0;
}

long MemTell(void* data) { return long(static_cast<TMemorySource*>(data)->pos); }

const ov_callbacks kMemoryCallbacks = {MemRead, MemSeek, nullptr, MemTell};

}  // namespace

struct TVorbisStream::Impl {
  TMemorySource source;
  OggVorbis_File file{};
  bool open = false;
  ~Impl() {
    if (open) ov_clear(&file);
  }
};

TVorbisStream::TVorbisStream(TKey) : impl_(std::make_unique<Impl>()) {}
TVorbisStream::~TVorbisStream() = default;

std::unique_ptr<TVorbisStream> TVorbisStream::Open(TSharedBytes bytes, std::string& error) {
  if (!bytes) {
    error = "no data";
    return nullptr;
  }
  auto stream = std::make_unique<TVorbisStream>(TKey{});
  Impl& impl = *stream->impl_;
  impl.source.bytes = std::move(bytes);
  if (ov_open_callbacks(&impl.source, &impl.file, nullptr, 0, kMemoryCallbacks) != 0) {
    error = "not an Ogg Vorbis stream";
    return nullptr;
  }
  impl.open = true;
  const vorbis_info* info = ov_info(&impl.file, -1);
  if (!info || info->rate <= 0) {
    error = "Ogg Vorbis stream without a sample rate";
    return nullptr;
  }
  if (info->channels < 1 || info->channels > 2) {
    error = "unsupported channel count " + std::to_string(info->channels);
    return nullptr;
  }
  stream->channels_ = info->channels;
  stream->rate_ = int(info->rate);
  return stream;
}

int64_t TVorbisStream::TotalFrames() const {
  ogg_int64_t total = ov_pcm_total(&impl_->file, -1);
  return total < 0 ? -1 : int64_t(total);
}

size_t TVorbisStream::ReadOnce(int16_t* out, size_t frames) {
  constexpr int kBigEndian = std::endian::native == std::endian::big ? 1 : 0;
  const size_t frameBytes = size_t(channels_) * 2;
  size_t done = 0;
  while (done < frames) {
    int link = 0;
    size_t room = std::min<size_t>((frames - done) * frameBytes, 1 << 16);
    long got = ov_read(&impl_->file, reinterpret_cast<char*>(out + done * channels_), int(room),
                       kBigEndian, 2, 1, &link);
    if (got == OV_HOLE) continue;  // a gap in the pages: decoding goes on after it
    if (got < 0) {
      damaged_ = true;
      break;
    }
    if (got == 0) break;
    // A chained stream whose next part has another layout cannot be played
    // through the same buffers: treat it as the end.
    const vorbis_info* info = ov_info(&impl_->file, link);
    if (!info || info->channels != channels_) break;
    done += size_t(got) / frameBytes;
  }
  return done;
}

bool TVorbisStream::Rewind() {
  return ov_pcm_seek(&impl_->file, 0) == 0 || ov_raw_seek(&impl_->file, 0) == 0;
}

size_t TVorbisStream::Read(int16_t* out, size_t frames, bool loop) {
  size_t done = 0;
  bool rewound = false;
  while (done < frames) {
    size_t got = ReadOnce(out + done * channels_, frames - done);
    done += got;
    if (done == frames || !loop || damaged_) break;
    if (rewound && got == 0) break;  // nothing to loop over: avoid spinning
    if (!Rewind()) break;
    rewound = true;
  }
  return done;
}

}  // namespace plat
