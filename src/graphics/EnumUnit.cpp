// TModeList: enumeration, bubble sort by refresh rate and the selection policies.
#include "graphics/EnumUnit.h"

#include <utility>

namespace marblix {

namespace {

bool FormatSuits(int format, int bits) {
  if (bits == 16) return format == D3DFMT_X1R5G5B5 || format == D3DFMT_R5G6B5;
  if (bits == 32) return format == D3DFMT_X8R8G8B8 || format == D3DFMT_A8R8G8B8;
  return false;
}

}  // namespace

TModeList::~TModeList() {
  Clear();
}

bool TModeList::EnumerateModes(IDirect3D8* direct3D, int width, int height, int bits) {
  Clear();
  if (direct3D == nullptr) return false;
  const uint32_t count = direct3D->GetAdapterModeCount(D3DADAPTER_DEFAULT);
  for (uint32_t i = 0; i < count; ++i) {
    D3DDISPLAYMODE mode;
    if (FAILED(direct3D->EnumAdapterModes(D3DADAPTER_DEFAULT, i, &mode))) {
      Clear();
      return false;
    }
    if (int(mode.Width) == width && int(mode.Height) == height && FormatSuits(mode.Format, bits))
      AddMode(int(mode.Width), int(mode.Height), int(mode.RefreshRate), mode.Format);
  }
  return true;
}

void TModeList::AddMode(int width, int height, int refreshRate, int format) {
  auto record = std::make_unique<TModeRecord>();
  record->Width = width;
  record->Height = height;
  record->RefreshRate = refreshRate;
  record->Format = format;
  record->Next = std::move(FFirst);
  FFirst = std::move(record);
}

int TModeList::Count() const {
  int count = 0;
  for (const TModeRecord* r = FFirst.get(); r != nullptr; r = r->Next.get()) ++count;
  return count;
}

bool TModeList::Clear() {
  if (!FFirst) return false;
  // Unlinks one record at a time so that a long list never recurses deeply.
  while (FFirst) FFirst = std::move(FFirst->Next);
  return true;
}

void TModeList::SortByRefresh() {
  if (Count() < 2) return;
  bool exchanged = true;
  while (exchanged) {
    exchanged = false;
    for (std::unique_ptr<TModeRecord>* link = &FFirst; (*link)->Next; link = &(*link)->Next) {
      if ((*link)->RefreshRate >= (*link)->Next->RefreshRate) continue;
      std::unique_ptr<TModeRecord> second = std::move((*link)->Next);
      (*link)->Next = std::move(second->Next);
      second->Next = std::move(*link);
      *link = std::move(second);
      exchanged = true;
    }
  }
}

TModeRecord* TModeList::SelectMode(TRefreshRate policy) {
  SortByRefresh();
  const int n = Count();
  if (n == 0) return nullptr;
  const auto at = [this](int index) {
    TModeRecord* r = FFirst.get();
    while (index-- > 0) r = r->Next.get();
    return r;
  };
  switch (policy) {
    case rr_custom:
      for (TModeRecord* r = FFirst.get(); r != nullptr; r = r->Next.get())
        if (r->RefreshRate == WantedRefreshRate) return r;
      return at(n - 1);
    case rr_default:
    case rr_lowest:
      return at(n - 1);
    case rr_highest:
      return at(0);
    case rr_higher:
      return n < 3 ? at(0) : at(1);
    default:
      return at(n / 2);
  }
}

}  // namespace marblix
