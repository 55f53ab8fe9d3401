#include "dryrun/notes.h"

#include <iconv.h>

#include "dryrun/refusal_notes.h"
#include "platform/standin/profiles/profile_document.h"
#include "platform/standin/text/ansi_text.h"
#include "platform/standin/text/unicode.h"

using standin::ProfileElement;

static const size_t kMaxSsidBytes = 32;
static const char kProfileNamespace[] = "{http://www.microsoft.com/networking/WLAN/profile/v1}";
static const char16_t kProfileNamespaceUri[] = u"http://www.microsoft.com/networking/WLAN/profile/v1";

static std::string Utf8(const std::u16string& text) {
  return standin::Utf16ToUtf8(text);
}

static const ProfileElement* Child(const ProfileElement* parent, const char16_t* name) {
  if (parent == nullptr) return nullptr;
  for (const ProfileElement& child : parent->children)
    if (child.localName == name) return &child;
  return nullptr;
}

static std::u16string TextOf(const ProfileElement* element) {
  return element ? element->text : u"";
}

static bool IsBlank(const std::u16string& text) {
  return text.find_first_not_of(u" \t\r\n") == std::u16string::npos;
}

// Every element of that name in the tree.
static void FindAll(const ProfileElement& element, const char16_t* name, std::vector<const ProfileElement*>& found) {
  if (element.localName == name) found.push_back(&element);
  for (const ProfileElement& child : element.children) FindAll(child, name, found);
}

// The SSID's name, when the name and not hex gives the SSID.
static const ProfileElement* SsidName(const ProfileElement& profile) {
  const ProfileElement* ssid = Child(Child(&profile, u"SSIDConfig"), u"SSID");
  return Child(ssid, u"hex") ? nullptr : Child(ssid, u"name");
}

// The characters of the text that the machine's code page lacks, each with what it becomes.
static std::string LackedCharacters(const std::u16string& text) {
  std::string list;
  for (size_t i = 0; i < text.size();) {
    const size_t length = text[i] >= 0xD800 && text[i] <= 0xDBFF && i + 1 < text.size() ? 2 : 1;
    const std::u16string character = text.substr(i, length);
    i += length;
    const std::u16string becomes = standin::DecodeAnsi(standin::EncodeAnsi(character));
    const std::string entry = "'" + Utf8(character) + "' becomes '" + Utf8(becomes) + "'";
    if (becomes != character && list.find(entry) == std::string::npos) list += (list.empty() ? "" : ", ") + entry;
  }
  return list;
}

// The encoding that an XML declaration at the start names: false when there is a declaration
// whose encoding is not a name as XML writes them.
static bool DeclaredEncoding(const std::string& text, std::string& encoding) {
  encoding.clear();
  if (text.compare(0, 5, "<?xml") != 0) return true;
  const std::string declaration = text.substr(0, text.find("?>"));
  const size_t name = declaration.find("encoding");
  const size_t open = declaration.find_first_of("'\"", name);
  if (name == std::string::npos || open == std::string::npos) return true;
  const size_t close = declaration.find(declaration[open], open + 1);
  if (close == std::string::npos) return false;
  encoding = declaration.substr(open + 1, close - open - 1);
  return !encoding.empty() && encoding.size() < 64 &&
         encoding.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789._-") ==
             std::string::npos;
}

// The bytes read in that encoding, in UTF-8; false when iconv does not know it or the bytes
// are not in it.
static bool ReadAs(const std::string& encoding, const std::string& bytes, std::string& utf8) {
  const iconv_t converter = iconv_open("UTF-8", encoding.c_str());
  if (converter == reinterpret_cast<iconv_t>(-1)) return false;
  utf8.assign(bytes.size() * 4 + 16, '\0');
  char* in = const_cast<char*>(bytes.data());
  char* out = &utf8[0];
  size_t inLeft = bytes.size(), outLeft = utf8.size();
  const bool read = iconv(converter, &in, &inLeft, &out, &outLeft) != static_cast<size_t>(-1);
  iconv_close(converter);
  utf8.resize(utf8.size() - outLeft);
  return read;
}

static std::string Hex(const std::string& bytes) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string hex;
  for (unsigned char byte : bytes) hex += {kDigits[byte >> 4], kDigits[byte & 0xF]};
  return hex;
}

// A file whose encoding, declared or XML's default, gives another SSID than the code page: the
// SSID it means, and how to have XP store that one.
static void AddEncodingNote(const std::string& bytes, const ProfileElement& profile, const std::string& codePage,
                            Trial& trial) {
  std::string encoding, meantText;
  if (!DeclaredEncoding(bytes, encoding) || !ReadAs(encoding.empty() ? "UTF-8" : encoding, bytes, meantText)) return;
  ProfileElement meant;
  const ProfileElement* meantName = nullptr;
  if (standin::ReadProfileDocument(standin::Utf8ToUtf16(meantText), meant) != standin::kProfileNotWellFormed)
    meantName = SsidName(meant);
  const ProfileElement* readName = SsidName(profile);
  if (meantName == nullptr || readName == nullptr || meantName->text == readName->text) return;
  const std::string what = (encoding.empty() ? "is UTF-8, XML's default without an encoding declaration"
                                             : "declares encoding '" + encoding + "'") +
                           ", but XP reads profile files in the machine's " + codePage + ": ";
  if (trial.storedName.empty()) {
    trial.notes.push_back(what + "the SSID '" + Utf8(meantName->text) + "' reads as '" + Utf8(readName->text) + "'");
    return;
  }
  trial.meantSsid = meantName->text;
  const std::string ssidBytes = standin::EncodeAnsi(meantName->text);
  if (standin::DecodeAnsi(ssidBytes) == meantName->text)
    trial.notes.push_back(what + "save the file in " + codePage + ", or give the SSID as <hex>" + Hex(ssidBytes) +
                          "</hex>");
  else
    trial.notes.push_back(what + codePage + " has no bytes for the SSID '" + Utf8(meantName->text) +
                          "': give it as <hex> with the bytes the access point sends");
}

static std::string WithoutProfileNamespace(std::string message) {
  for (size_t at; (at = message.find(kProfileNamespace)) != std::string::npos;)
    message.erase(at, sizeof kProfileNamespace - 1);
  return message;
}

// What the profile holds that XP takes but would not do as the file's author may think.
static void AddProfileNotes(const ProfileElement& profile, const std::string& codePage, DWORD reason, DWORD result,
                            const std::u16string& stored, std::vector<std::string>& notes) {
  const ProfileElement* ssid = SsidName(profile);
  const std::string lacked = ssid ? LackedCharacters(ssid->text) : "";
  if (!lacked.empty()) notes.push_back("the SSID holds characters not in " + codePage + ": " + lacked);
  const size_t ssidBytes = ssid ? standin::EncodeAnsi(ssid->text).size() : 0;
  if (reason == WLAN_REASON_CODE_PROFILE_SSID_INVALID && ssidBytes > kMaxSsidBytes)
    notes.push_back("the SSID is " + std::to_string(ssidBytes) + " bytes in " + codePage + ", and XP takes 1 to 32");
  const ProfileElement* security = Child(Child(&profile, u"MSM"), u"security");
  const std::string keyLacked = LackedCharacters(TextOf(Child(Child(security, u"sharedKey"), u"keyMaterial")));
  if (!keyLacked.empty()) notes.push_back("the key holds characters not in " + codePage + ": " + keyLacked);
  const ProfileElement* name = Child(&profile, u"name");
  if (!stored.empty() && name && name->text != stored)
    notes.push_back("XP names the profile after its SSID, not after its name element '" + Utf8(name->text) + "'");
  const ProfileElement* authEncryption = Child(security, u"authEncryption");
  const bool open = authEncryption == nullptr || (TextOf(Child(authEncryption, u"authentication")) == u"open" &&
                                                  TextOf(Child(authEncryption, u"encryption")) == u"none");
  const ProfileElement* mode = Child(&profile, u"connectionMode");
  if (!stored.empty() && open && (mode == nullptr || mode->text == u"auto") &&
      TextOf(Child(&profile, u"connectionType")) == u"ESS")
    notes.push_back("an open network in auto mode: the machine joins any network named '" + Utf8(stored) +
                    "' by itself");
  std::vector<const ProfileElement*> found;
  FindAll(profile, u"FIPSMode", found);
  if (!found.empty()) notes.push_back("XP ignores FIPSMode");
  std::string ignored;
  const ProfileElement* oneX = Child(security, u"OneX");
  for (size_t i = 0; oneX != nullptr && i < oneX->children.size(); ++i) {
    const std::u16string& setting = oneX->children[i].localName;
    if (setting != u"EAPConfig") ignored += (ignored.empty() ? "" : ", ") + Utf8(setting);
  }
  if (!ignored.empty()) notes.push_back("XP ignores the 802.1X settings but EAPConfig: " + ignored);
  found.clear();
  FindAll(profile, u"ConfigBlob", found);
  for (const ProfileElement* blob : found) {
    if (result != ERROR_INVALID_PARAMETER || !IsBlank(blob->text)) continue;
    notes.push_back("the EAP ConfigBlob is empty: XP refuses it as an invalid argument, without a reason code");
    break;
  }
}

// A text that is not XML at all: it does not begin, after blanks, with a tag.
static bool LooksLikeXml(const std::u16string& text) {
  const size_t first = text.find_first_not_of(u" \t\r\n");
  return first != std::u16string::npos && text[first] == u'<';
}

void AddNotes(const ProfileFile& file, const std::u16string& text, DWORD reason, DWORD result, Trial& trial) {
  std::vector<std::string>& notes = trial.notes;
  const std::string codePageName = "code page " + std::to_string(trial.codePage);
  const std::string& head = file.head;
  const bool bom = head.compare(0, 3, "\xEF\xBB\xBF") == 0;
  const bool utf16 = head.compare(0, 2, "\xFF\xFE") == 0 || head.compare(0, 2, "\xFE\xFF") == 0 ||
                     (head.size() >= 2 && (head[0] == '\0') != (head[1] == '\0'));
  if (result != 0 && bom)
    notes.push_back("saved as UTF-8 with a byte-order mark, which XP reads as characters of " + codePageName +
                    ": save it as ANSI");
  if (result != 0 && utf16 && !bom)
    notes.push_back(
        "saved as UTF-16 (\"Unicode\"), of which -add reads only what comes before the first zero byte: "
        "save it as ANSI");
  if (bom || utf16) return;
  ProfileElement profile;
  standin::ProfileProblem problem;
  const standin::ProfileParse parse = standin::ReadProfileDocument(text, profile, &problem);
  const bool schema = reason == WLAN_REASON_CODE_INVALID_PROFILE_SCHEMA;
  const bool otherNamespace = profile.localName == u"WLANProfile" && profile.namespaceUri != kProfileNamespaceUri;
  if (schema && !LooksLikeXml(text))
    notes.push_back("it is not XML: a profile file is an XML document whose root element is WLANProfile");
  else if (schema && otherNamespace)
    notes.push_back(
        "line " + std::to_string(profile.line) + ": its WLANProfile is in " +
        (profile.namespaceUri.empty() ? "no namespace" : "the namespace '" + Utf8(profile.namespaceUri) + "'") +
        ": XP takes the one of its own schema, http://www.microsoft.com/networking/WLAN/profile/v1");
  else if (schema && !problem.message.empty())
    notes.push_back((problem.line > 0 ? "line " + std::to_string(problem.line) + ": " : std::string()) +
                    WithoutProfileNamespace(problem.message));
  else if (schema && parse == standin::kProfileSchemaValid)
    notes.push_back(
        "the schema takes it, but XP does not: an ad hoc profile must be in manual mode, without "
        "nonBroadcast or autoSwitch, and manual mode takes no autoSwitch");
  if (parse == standin::kProfileNotWellFormed) return;
  const std::string takes = WhatXpTakes(reason, profile, trial.codePage);
  if (!takes.empty()) notes.push_back(takes);
  if (profile.localName != u"WLANProfile") return;
  if (const ProfileElement* name = Child(&profile, u"name")) trial.nameElement = name->text;
  AddEncodingNote(file.text, profile, codePageName, trial);
  AddProfileNotes(profile, codePageName, reason, result, trial.storedName, notes);
}
