#include "platform/win32/signature_check.h"

// In this order: each of these needs the ones before it.
// clang-format off
#include <bcrypt.h>
#include <wincrypt.h>
#include <wintrust.h>
#include <mscat.h>
#include <softpub.h>
// clang-format on

#include <vector>

#include "platform/win32/file_hash.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide.h"

namespace qb::win32 {
namespace {

// WinVerifyTrust's state, closed whatever happens after the check.
class VerifiedState {
 public:
  VerifiedState(WINTRUST_DATA& data) : data_(data) {
    GUID action = WINTRUST_ACTION_GENERIC_VERIFY_V2;
    data_.dwStateAction = WTD_STATEACTION_VERIFY;
    // INVALID_HANDLE_VALUE: there is no user to ask.
    result_ = ::WinVerifyTrust(static_cast<HWND>(INVALID_HANDLE_VALUE), &action, &data_);
  }
  ~VerifiedState() {
    GUID action = WINTRUST_ACTION_GENERIC_VERIFY_V2;
    data_.dwStateAction = WTD_STATEACTION_CLOSE;
    ::WinVerifyTrust(static_cast<HWND>(INVALID_HANDLE_VALUE), &action, &data_);
  }
  VerifiedState(const VerifiedState&) = delete;
  VerifiedState& operator=(const VerifiedState&) = delete;

  LONG result() const { return result_; }

  // The name of the first signer's leaf certificate, when the check got
  // that far.
  std::string SignerName() const {
    CRYPT_PROVIDER_DATA* provider = ::WTHelperProvDataFromStateData(data_.hWVTStateData);
    if (!provider) return {};
    CRYPT_PROVIDER_SGNR* signer = ::WTHelperGetProvSignerFromChain(provider, 0, FALSE, 0);
    if (!signer || signer->csCertChain == 0 || !signer->pasCertChain ||
        !signer->pasCertChain[0].pCert) {
      return {};
    }
    PCCERT_CONTEXT certificate = signer->pasCertChain[0].pCert;
    const DWORD size =
        ::CertGetNameStringW(certificate, CERT_NAME_SIMPLE_DISPLAY_TYPE, 0, nullptr, nullptr, 0);
    if (size <= 1) return {};
    std::wstring name(size, L'\0');
    const DWORD written = ::CertGetNameStringW(certificate, CERT_NAME_SIMPLE_DISPLAY_TYPE, 0,
                                               nullptr, name.data(), size);
    name.resize(written > 0 ? written - 1 : 0);
    return Narrow(name);
  }

 private:
  WINTRUST_DATA& data_;
  LONG result_ = 0;
};

WINTRUST_DATA OfflineCheck() {
  WINTRUST_DATA data{sizeof data};
  data.dwUIChoice = WTD_UI_NONE;
  // A revocation check would wait on the certificate authority's servers.
  data.fdwRevocationChecks = WTD_REVOKE_NONE;
  data.dwProvFlags = WTD_REVOCATION_CHECK_NONE | WTD_CACHE_ONLY_URL_RETRIEVAL;
  data.dwUIContext = WTD_UICONTEXT_EXECUTE;
  return data;
}

TrustAnswer CheckEmbedded(HANDLE file, const std::wstring& path) {
  WINTRUST_FILE_INFO info{sizeof info};
  info.pcwszFilePath = path.c_str();
  info.hFile = file;
  WINTRUST_DATA data = OfflineCheck();
  data.dwUnionChoice = WTD_CHOICE_FILE;
  data.pFile = &info;
  const VerifiedState state(data);
  return {state.result(), state.SignerName(), false};
}

// A context of the catalog database for one hash algorithm.
struct CatalogAdminTraits {
  using Handle = HCATADMIN;
  static Handle Empty() { return nullptr; }
  static void Close(Handle handle) { ::CryptCATAdminReleaseContext(handle, 0); }
};
using CatalogAdmin = UniqueHandle<CatalogAdminTraits>;

class CatalogEntry {
 public:
  CatalogEntry(HCATADMIN admin, HCATINFO info) : admin_(admin), info_(info) {}
  ~CatalogEntry() {
    if (info_) ::CryptCATAdminReleaseCatalogContext(admin_, info_, 0);
  }
  CatalogEntry(const CatalogEntry&) = delete;
  CatalogEntry& operator=(const CatalogEntry&) = delete;

  HCATINFO get() const { return info_; }

 private:
  HCATADMIN admin_;
  HCATINFO info_;
};

// The SHA-256 catalog calls exist from Windows 8 on (and MinGW's import
// library lacks them): they are looked up where they run, in the wintrust
// that the check of the embedded signature, always first, has loaded.
using AcquireContext2 = BOOL(WINAPI*)(HCATADMIN*, const GUID*, PCWSTR, PCCERT_STRONG_SIGN_PARA,
                                      DWORD);
using CalcHashFromFileHandle2 = BOOL(WINAPI*)(HCATADMIN, HANDLE, DWORD*, BYTE*, DWORD);

template <typename Function>
Function WintrustFunction(const char* name) {
  HMODULE wintrust = ::GetModuleHandleW(L"wintrust.dll");
  if (!wintrust) return nullptr;
  // Through the one function type that converts to any other.
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(::GetProcAddress(wintrust, name)));
}

// A catalog member as Windows 8 and later read it: the catalog database
// context at its end is what lets them check a SHA-256 catalog. The headers declare
// that field only for builds that need Windows 8; earlier systems take the
// larger structure too, as its size tells them.
struct CatalogMember {
  WINTRUST_CATALOG_INFO info;
  HCATADMIN admin;
};

// A hash of the whole file by a call that first tells the size, then fills.
template <typename Calculate>
bool HashFromStart(HANDLE file, std::vector<BYTE>& hash, Calculate calculate) {
  DWORD size = 0;
  ::SetFilePointer(file, 0, nullptr, FILE_BEGIN);
  if (!calculate(&size, nullptr) || size == 0) return false;
  hash.resize(size);
  ::SetFilePointer(file, 0, nullptr, FILE_BEGIN);
  return calculate(&size, hash.data()) != FALSE;
}

// The file's hash as catalogs of one algorithm list it; false when the
// system cannot make it.
bool CatalogAdminFor(bool sha256, HANDLE file, CatalogAdmin& admin, std::vector<BYTE>& hash) {
  GUID driver_action = DRIVER_ACTION_VERIFY;
  if (sha256) {
    const auto acquire = WintrustFunction<AcquireContext2>("CryptCATAdminAcquireContext2");
    const auto calculate =
        WintrustFunction<CalcHashFromFileHandle2>("CryptCATAdminCalcHashFromFileHandle2");
    return acquire && calculate &&
           acquire(admin.put(), &driver_action, BCRYPT_SHA256_ALGORITHM, nullptr, 0) &&
           HashFromStart(file, hash, [&](DWORD* size, BYTE* bytes) {
             return calculate(admin.get(), file, size, bytes, 0);
           });
  }
  return ::CryptCATAdminAcquireContext(admin.put(), &driver_action, 0) &&
         HashFromStart(file, hash, [&](DWORD* size, BYTE* bytes) {
           return ::CryptCATAdminCalcHashFromFileHandle(file, size, bytes, 0);
         });
}

// The answer for the first catalog that lists the file under one
// algorithm's hash; nothing when none does.
bool CheckCatalog(bool sha256, HANDLE file, const std::wstring& path, TrustAnswer& answer) {
  CatalogAdmin admin;
  std::vector<BYTE> hash;
  if (!CatalogAdminFor(sha256, file, admin, hash)) return false;
  const CatalogEntry entry(
      admin.get(), ::CryptCATAdminEnumCatalogFromHash(admin.get(), hash.data(),
                                                      static_cast<DWORD>(hash.size()), 0, nullptr));
  CATALOG_INFO catalog{sizeof catalog};
  if (!entry.get() || !::CryptCATCatalogInfoFromContext(entry.get(), &catalog, 0)) return false;
  // Catalogs name their members by the hash in upper-case hex.
  std::wstring tag = Widen(HexDigits(hash.data(), hash.size()));
  for (wchar_t& c : tag) c = static_cast<wchar_t>(::towupper(c));

  CatalogMember member{{sizeof member}, admin.get()};
  member.info.pcwszCatalogFilePath = catalog.wszCatalogFile;
  member.info.pcwszMemberTag = tag.c_str();
  member.info.pcwszMemberFilePath = path.c_str();
  member.info.hMemberFile = file;
  member.info.pbCalculatedFileHash = hash.data();
  member.info.cbCalculatedFileHash = static_cast<DWORD>(hash.size());
  WINTRUST_DATA data = OfflineCheck();
  data.dwUnionChoice = WTD_CHOICE_CATALOG;
  data.pCatalog = &member.info;
  const VerifiedState state(data);
  answer = {state.result(), state.SignerName(), true};
  return true;
}

}  // namespace

TrustAnswer CheckSignature(HANDLE file, const std::wstring& path) {
  TrustAnswer answer = CheckEmbedded(file, path);
  if (answer.result != TRUST_E_NOSIGNATURE && answer.result != TRUST_E_SUBJECT_FORM_UNKNOWN) {
    return answer;
  }
  TrustAnswer from_catalog;
  if (CheckCatalog(true, file, path, from_catalog) ||
      CheckCatalog(false, file, path, from_catalog)) {
    return from_catalog;
  }
  return answer;
}

}  // namespace qb::win32
