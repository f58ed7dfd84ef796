// The one-game lock on Windows: LockFileEx on "Marblix.lock", which the system drops with the
// process; the holder writes its process id there and waits on an event named after it, which a
// second start sets, allowing the holder to take the foreground.
#include <windows.h>

#include <cstdlib>
#include <string>

#include "platform/system/instance_lock.h"

namespace marblix {
namespace {

// The lock covers one byte far past the process id written at the start of the file: a locked
// range cannot be read by others, and the second start reads the id.
constexpr DWORD LockedOffset = 0x40000000;

std::wstring FrontEventName(DWORD process) {
  return L"Local\\Marblix.ComeToFront." + std::to_wstring(process);
}

// The event this game waits on; made once, for the whole run.
HANDLE& FrontEvent() {
  static HANDLE event = nullptr;
  return event;
}

DWORD ReadHolder(HANDLE file) {
  char text[16] = {};
  DWORD got = 0;
  OVERLAPPED start{};
  if (!ReadFile(file, text, sizeof text - 1, &got, &start)) return 0;
  return static_cast<DWORD>(std::strtoul(text, nullptr, 10));
}

}  // namespace

struct TInstanceLock::Handle {
  std::filesystem::path Path;
  HANDLE File = INVALID_HANDLE_VALUE;
  State Status = State::Unavailable;
  DWORD Holder = 0;
};

TInstanceLock::TInstanceLock(const std::filesystem::path& folder)
    : handle_(std::make_unique<Handle>()) {
  handle_->Path = folder / InstanceLockFileName;
  const std::filesystem::path& file = handle_->Path;
  handle_->File =
      CreateFileW(file.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                  nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle_->File == INVALID_HANDLE_VALUE) return;
  OVERLAPPED range{};
  range.Offset = LockedOffset;
  if (LockFileEx(handle_->File, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0,
                 &range)) {
    handle_->Status = State::Held;
    const std::string id = std::to_string(GetCurrentProcessId()) + "\r\n";
    DWORD written = 0;
    SetFilePointer(handle_->File, 0, nullptr, FILE_BEGIN);
    WriteFile(handle_->File, id.data(), static_cast<DWORD>(id.size()), &written, nullptr);
    SetEndOfFile(handle_->File);
    return;
  }
  if (GetLastError() != ERROR_LOCK_VIOLATION) return;
  handle_->Status = State::HeldElsewhere;
  handle_->Holder = ReadHolder(handle_->File);
}

TInstanceLock::~TInstanceLock() {
  if (handle_->File != INVALID_HANDLE_VALUE) CloseHandle(handle_->File);
}

TInstanceLock::State TInstanceLock::Status() const {
  return handle_->Status;
}

const std::filesystem::path& TInstanceLock::File() const {
  return handle_->Path;
}

unsigned long TInstanceLock::Holder() const {
  return handle_->Holder > 0 ? static_cast<unsigned long>(handle_->Holder) : 0;
}

bool TInstanceLock::AskHolderToFront() const {
  if (handle_->Status != State::HeldElsewhere || handle_->Holder == 0) return false;
  const HANDLE event =
      OpenEventW(EVENT_MODIFY_STATE, FALSE, FrontEventName(handle_->Holder).c_str());
  if (event == nullptr) return false;
  // This start was the player's doing, so it may hand the foreground on.
  AllowSetForegroundWindow(handle_->Holder);
  const bool asked = SetEvent(event) != FALSE;
  CloseHandle(event);
  return asked;
}

void WatchFrontRequests() {
  if (FrontEvent() == nullptr)
    FrontEvent() =
        CreateEventW(nullptr, FALSE, FALSE, FrontEventName(GetCurrentProcessId()).c_str());
}

bool TakeFrontRequest() {
  return FrontEvent() != nullptr && WaitForSingleObject(FrontEvent(), 0) == WAIT_OBJECT_0;
}

}  // namespace marblix
