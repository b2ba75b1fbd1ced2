// The resource archive in both versions: a damaged archive is refused with
// its reason (an exception the start-up reports), never a crash, and
// memory stays in proportion to the file.
#include <stdexcept>

#include "FuzzTarget.h"
#include "Platform.h"
#include "TPakFile.h"

GS_FUZZ_TARGET(archive) {
  FuzzSetUp();
  plat::TMemoryStream stream(FuzzBytes(data, size));
  TPakFile pak;
  try {
    pak.ReadFromStream(stream);
  } catch (const std::runtime_error&) {
    return 0;
  }
  size_t total = 0;
  for (const auto& item : pak.Items) total += item->GetString().size();
  (void)total;
  return 0;
}
