#include "scanner/evidence.h"

#include <gtest/gtest.h>

#include "platform/memory_file_evidence.h"
#include "platform/utf.h"
#include "scanner/publisher_name.h"

namespace qb::scanner {
namespace {

using platform::FileFacts;

constexpr char kHash[] = "9f86d081884c7d659a2feaa0c55ad015a3bf4f1b2b0b822cd15d6c15b0f00a08";

FileFacts Signed(std::int32_t result, std::string signer) {
  FileFacts facts;
  facts.sha256 = kHash;
  facts.trust_result = result;
  facts.signer = std::move(signer);
  return facts;
}

// The codes as wintrust gives them (winerror.h).
TEST(ReadTrustResult, TellsVerifiedUnsignedChangedAndUntrustedApartAndSaysWhyInPlainWords) {
  const struct {
    std::uint32_t code;
    SignatureVerdict verdict;
    const char* reason;
  } cases[] = {
      {0, SignatureVerdict::kVerified, ""},
      {0x800B0100, SignatureVerdict::kUnsigned, ""},  // TRUST_E_NOSIGNATURE
      {0x800B0003, SignatureVerdict::kUnsigned, ""},  // TRUST_E_SUBJECT_FORM_UNKNOWN
      {0x80096010, SignatureVerdict::kMismatch, ""},  // TRUST_E_BAD_DIGEST
      {0x80091007, SignatureVerdict::kMismatch, ""},  // CRYPT_E_HASH_VALUE
      {0x800B0109, SignatureVerdict::kUntrusted,      // CERT_E_UNTRUSTEDROOT
       "its certificates lead to a root that this computer does not trust"},
      {0x800B0101, SignatureVerdict::kUntrusted,  // CERT_E_EXPIRED
       "its certificate has expired, and the signature has no timestamp"},
      {0x800B010C, SignatureVerdict::kUntrusted,  // CERT_E_REVOKED
       "its certificate has been revoked"},
      {0x80092010, SignatureVerdict::kUntrusted,  // CRYPT_E_REVOKED
       "its certificate has been revoked"},
      {0x800B0111, SignatureVerdict::kUntrusted,  // TRUST_E_EXPLICIT_DISTRUST
       "its certificate is marked as distrusted on this computer"},
      {0x80092013, SignatureVerdict::kUntrusted,  // CRYPT_E_REVOCATION_OFFLINE
       "whether its certificate was revoked cannot be told without the network"},
      {0x8009310B, SignatureVerdict::kUntrusted,  // CRYPT_E_ASN1_BADTAG: a damaged table
       "its signature is damaged"},
      {0x80092003, SignatureVerdict::kUnreadable,  // CRYPT_E_FILE_ERROR
       "Windows could not read it to check its signature"},
      {0x80070020, SignatureVerdict::kUnreadable,  // a sharing violation, as a result code
       "another program holds it locked"},
      {0x7A, SignatureVerdict::kUntrusted,  // a table cut short: ERROR_INSUFFICIENT_BUFFER
       "its signature is damaged (Windows reports the error 122)"},
      {0x800B0FFF, SignatureVerdict::kUntrusted, "Windows reports the error 0x800B0FFF"},
  };
  for (const auto& c : cases) {
    const TrustReading reading = ReadTrustResult(static_cast<std::int32_t>(c.code));
    EXPECT_EQ(reading.verdict, c.verdict) << std::hex << c.code;
    EXPECT_EQ(reading.reason, c.reason) << std::hex << c.code;
  }
}

TEST(EvidenceFromFacts, GivesEachVerdictItsWordsAndSaysWhenTheClaimedPublisherDidNotSign) {
  const auto text = [](const FileFacts& facts, std::string_view company) {
    return VerdictText(EvidenceFromFacts(facts, company));
  };
  EXPECT_EQ(text(Signed(0, "Tarnwick Sample Works Ltd"), "Tarnwick Sample Works"),
            "Signed by Tarnwick Sample Works Ltd (verified)");
  EXPECT_EQ(text(Signed(0, "Tarnwick Sample Works Ltd"), "Tarnwick Test Publisher"),
            "Signed by Tarnwick Sample Works Ltd (verified). Claims to be from Tarnwick Test "
            "Publisher, but is not signed by it");
  EXPECT_EQ(text(Signed(0x800B0100, ""), ""), "Not signed");
  EXPECT_EQ(text(Signed(0x800B0100, ""), "Microsoft Corporation"),
            "Not signed. Claims to be from Microsoft Corporation, but is not signed by it");
  // A signature that does not hold backs no name, not even the one it holds.
  EXPECT_EQ(text(Signed(0x80096010, "Microsoft Corporation"), "Microsoft Corporation"),
            "The signature does not match the file. Claims to be from Microsoft Corporation, but "
            "is not signed by it");
  EXPECT_EQ(text(Signed(0x800B0109, "Someone"), ""),
            "Signed, but not trusted: its certificates lead to a root that this computer does not "
            "trust");
  EXPECT_EQ(text(FileFacts{2}, ""), "The file is missing");
  EXPECT_EQ(text(FileFacts{3}, ""), "The file is missing");
  EXPECT_EQ(text(FileFacts{32, "The process cannot access the file."}, ""),
            "The file cannot be read: another program holds it locked");
  EXPECT_EQ(text(FileFacts{1117, "The request failed:\r\n\tan I/O device error."}, ""),
            "The file cannot be read: The request failed: an I/O device error.");
  EXPECT_EQ(text(FileFacts{1117, ""}, ""), "The file cannot be read: Windows reports the error 1117");
  EXPECT_EQ(text(Signed(0, ""), ""), "Signed by (no name) (verified)");

  // The report's columns: the signer only where the signature holds, the
  // hash only of a file read whole.
  const Evidence mismatch = EvidenceFromFacts(Signed(0x80096010, "Someone"), "");
  EXPECT_EQ(VerdictWord(mismatch.verdict), "mismatch");
  EXPECT_EQ(mismatch.signer, "");
  EXPECT_EQ(mismatch.sha256, kHash);
  const Evidence untrusted = EvidenceFromFacts(Signed(0x800B0109, "Someone"), "");
  EXPECT_EQ(VerdictWord(untrusted.verdict), "untrusted");
  EXPECT_EQ(untrusted.signer, "Someone");
  const Evidence locked = EvidenceFromFacts(FileFacts{32, {}, kHash}, "");
  EXPECT_EQ(VerdictWord(locked.verdict), "unreadable");
  EXPECT_EQ(locked.sha256, "");
  EXPECT_TRUE(IsTrustworthy(EvidenceFromFacts(Signed(0, "AB Ltd"), "a.b. inc")));
  EXPECT_FALSE(IsTrustworthy(EvidenceFromFacts(Signed(0, "A B"), "A C")));
  EXPECT_FALSE(IsTrustworthy(EvidenceFromFacts(Signed(0x800B0109, "A B"), "")));
}

TEST(ExamineLoadedFile, ExaminesOnlyTheFileTheDetailsFound) {
  platform::MemoryFileEvidence files;
  files.AddFile("C:\\x\\signed.dll", Signed(0, "Tarnwick Sample Works"));
  DetailsLookup lookup;
  lookup.details.publisher = "Tarnwick Sample Works";
  // A network path or a device: the details left loaded_file empty.
  EXPECT_EQ(ExamineLoadedFile(files, lookup)->verdict, SignatureVerdict::kNotChecked);
  EXPECT_TRUE(files.examined().empty());

  lookup.loaded_file = "C:\\x\\signed.dll";
  EXPECT_EQ(VerdictText(*ExamineLoadedFile(files, lookup)),
            "Signed by Tarnwick Sample Works (verified)");
  EXPECT_EQ(files.examined(), std::vector<std::string>{"C:\\x\\signed.dll"});

  std::stop_source stop;
  stop.request_stop();
  EXPECT_FALSE(ExamineLoadedFile(files, lookup, stop.get_token()));
}

TEST(PublisherMatches, IgnoresLetterCasePunctuationAndCompanySuffixesButNothingElse) {
  const std::pair<const char*, const char*> same[] = {
      {"Tarnwick Sample Works", "Tarnwick Sample Works Ltd"},
      {"TARNWICK sample works", "Tarnwick Sample Works, Ltd."},
      {"Hewlett-Packard Company", "Hewlett Packard"},
      {"Contoso Co., Ltd.", "Contoso"},
      {"Fabrikam S.A.", "FABRIKAM SA"},
      {"O'Neil GmbH", "ONeil"},
      {"Microsoft Corporation", "Microsoft Corp."},
      {"  Tab\tand  spaces ", "tab and spaces"},
      {"Société Générale", "Société Générale S.A."},
      {"Inc", "Inc."},  // a suffix alone is the name
  };
  for (const auto& [company, signer] : same) {
    EXPECT_TRUE(PublisherMatches(company, signer)) << company << " / " << signer;
  }
  const std::pair<const char*, const char*> different[] = {
      {"Tarnwick", "Tarnwick Sample Works"},           // a part is not the whole
      {"Tarnwick Sample Works Evil", "Tarnwick Sample Works"},
      {"Microsoft", "Micro Soft"},
      {"Société Générale", "SOCIÉTÉ GÉNÉRALE"},         // only A-Z fold
      {"", ""},                                       // an empty name backs nothing
      {"...", "..."},
      {"Ltd Inc", "Corp"},
  };
  for (const auto& [company, signer] : different) {
    EXPECT_FALSE(PublisherMatches(company, signer)) << company << " / " << signer;
  }
}

TEST(CleanShownName, KeepsAHostileNameOnOneLineVisibleAndShort) {
  EXPECT_EQ(CleanShownName("Tarnwick Sample Works Ltd"), "Tarnwick Sample Works Ltd");
  EXPECT_EQ(CleanShownName(" Evil\r\nCorp,\t\"x\" "), "Evil Corp, \"x\"");
  EXPECT_EQ(CleanShownName(std::string("A\0B\x1B[31mC\x7F", 10)),
            "A\xEF\xBF\xBD" "B\xEF\xBF\xBD[31mC\xEF\xBF\xBD");
  // An override would show "Corp" backwards; C1 controls from UTF-8 too.
  EXPECT_EQ(CleanShownName("Good\xE2\x80\xAEprocexe.dll\xC2\x85x\xC2\x9B"),
            "Good\xEF\xBF\xBDprocexe.dll x\xEF\xBF\xBD");
  EXPECT_EQ(CleanShownName("\x01\x02"), "\xEF\xBF\xBD\xEF\xBF\xBD");
  EXPECT_EQ(CleanShownName("\xFF"), "\xEF\xBF\xBD");

  // Thousands of characters: cut, a surrogate pair kept whole.
  std::string long_name(kMaxShownNameCharacters - 1, 'a');
  long_name += "\xF0\x9F\x98\x80";  // U+1F600, a surrogate pair
  long_name += std::string(5000, 'b');
  const std::string shown = CleanShownName(long_name);
  EXPECT_EQ(platform::CharacterCount(shown), kMaxShownNameCharacters + 1);
  EXPECT_EQ(shown, std::string(kMaxShownNameCharacters - 1, 'a') + "\xF0\x9F\x98\x80\xE2\x80\xA6");
}

}  // namespace
}  // namespace qb::scanner
