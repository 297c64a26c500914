#include "platform/windows/TakeOver.h"

#include <aclapi.h>

namespace tarnvik::platform::windows {

namespace {

// A security descriptor the system allocated, freed with the object.
struct Security {
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  PSID owner = nullptr;
  PSID group = nullptr;
  PACL dacl = nullptr;
  Security() = default;
  Security(const Security&) = delete;
  Security& operator=(const Security&) = delete;
  ~Security() {
    if (descriptor != nullptr) LocalFree(descriptor);
  }
};

void TakeOverCreationTime(HANDLE old, HANDLE replacement) {
  FILE_BASIC_INFO basic{};
  if (!GetFileInformationByHandleEx(old, FileBasicInfo, &basic, sizeof basic)) return;
  FILE_BASIC_INFO set{};  // times of zero and attributes of zero are left as they are
  set.CreationTime = basic.CreationTime;
  SetFileInformationByHandle(replacement, FileBasicInfo, &set, sizeof set);
}

void TakeOverSecurity(HANDLE old, HANDLE replacement) {
  Security security;
  constexpr SECURITY_INFORMATION kWanted =
      OWNER_SECURITY_INFORMATION | GROUP_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION;
  if (GetSecurityInfo(old, SE_FILE_OBJECT, kWanted, &security.owner, &security.group, &security.dacl, nullptr,
                      &security.descriptor) != ERROR_SUCCESS)
    return;
  SECURITY_DESCRIPTOR_CONTROL control = 0;
  DWORD revision = 0;
  GetSecurityDescriptorControl(security.descriptor, &control, &revision);
  const SECURITY_INFORMATION dacl =
      DACL_SECURITY_INFORMATION | ((control & SE_DACL_PROTECTED) != 0 ? PROTECTED_DACL_SECURITY_INFORMATION
                                                                      : UNPROTECTED_DACL_SECURITY_INFORMATION);
  if (security.dacl != nullptr)
    SetSecurityInfo(replacement, SE_FILE_OBJECT, dacl, nullptr, nullptr, security.dacl, nullptr);
  // Another user's owner needs a privilege most users lack: then the
  // replacement stays this user's.
  SetSecurityInfo(replacement, SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION | GROUP_SECURITY_INFORMATION, security.owner,
                  security.group, nullptr, nullptr);
}

}  // namespace

void TakeOver(const std::wstring& old, const std::wstring& replacement) {
  const UniqueHandle from(CreateFileW(old.c_str(), READ_CONTROL | FILE_READ_ATTRIBUTES, kShareAll, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  const UniqueHandle to(CreateFileW(replacement.c_str(), WRITE_DAC | WRITE_OWNER | FILE_WRITE_ATTRIBUTES, kShareAll,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!from.valid() || !to.valid()) return;
  TakeOverCreationTime(from.get(), to.get());
  TakeOverSecurity(from.get(), to.get());
}

}  // namespace tarnvik::platform::windows
