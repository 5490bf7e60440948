#include "xapack/listing_format.h"

#include "xapack/file_time.h"
#include "xapack/json_writer.h"

namespace xa::xapack {
namespace {

std::string RoleName(PackageRole role) {
  return role == PackageRole::kInstall ? "install" : "uninstall";
}

std::string Line(const std::string& label, const std::string& value) {
  return label + ": " + value + "\n";
}

std::string Bytes(int64_t size) {
  return std::to_string(size) + " bytes";
}

std::string BannerText(const PackageListing& listing) {
  if (listing.banner_size == 0)
    return "none";
  std::string text = Bytes(listing.banner_size);
  if (listing.banner_pixels) {
    text += ", " + std::to_string(listing.banner_pixels->width) + " x " +
            std::to_string(listing.banner_pixels->height) + " pixels";
  } else {
    text += ", pixel size unknown";
  }
  return text;
}

std::string FileLine(const ListedFile& file) {
  std::string line = "  " + file.target + "  size " + std::to_string(file.size) + ", stored " +
                     std::to_string(file.stored_size) + " at offset " +
                     std::to_string(file.offset) + ", created " +
                     FormatFileTime(file.creation_time) + ", written " +
                     FormatFileTime(file.last_write_time);
  if (!file.shortcut.empty())
    line += ", shortcut \"" + file.shortcut + "\"";
  return line + "\n";
}

void WriteStrings(JsonWriter& json, const char* key, const std::vector<std::string>& texts) {
  json.Key(key);
  json.BeginArray();
  for (const std::string& text : texts)
    json.String(text);
  json.EndArray();
}

void WriteFile(JsonWriter& json, const ListedFile& file) {
  json.BeginObject();
  json.Key("target");
  json.String(file.target);
  json.Key("size");
  json.Number(file.size);
  json.Key("stored_size");
  json.Number(file.stored_size);
  json.Key("offset");
  json.Number(file.offset);
  json.Key("creation_time");
  json.String(FormatFileTime(file.creation_time));
  json.Key("last_write_time");
  json.String(FormatFileTime(file.last_write_time));
  json.Key("shortcut");
  json.String(file.shortcut);
  json.EndObject();
}

}  // namespace

std::string FormatListingText(const PackageListing& listing) {
  std::string text = Line("Role", RoleName(listing.role));
  text += Line("Name", listing.name);
  text += Line("Version", std::to_string(listing.version_major) + "." +
                              std::to_string(listing.version_minor) + ", build " +
                              std::to_string(listing.version_build) + ", release " +
                              std::to_string(listing.version_release));
  text += Line("Publisher", listing.publisher);
  text += Line("Website", listing.website);
  text += Line("Address", listing.address);
  text += Line("Contact name", listing.contact_name);
  text += Line("Contact email", listing.contact_email);
  text += Line("Banner", BannerText(listing));
  if (listing.role == PackageRole::kInstall) {
    text += Line("Settings override", "\"" + listing.settings_override + "\"");
    text += Line("License", Bytes(listing.license_size));
    text += Line("Readme", Bytes(listing.readme_size));
    text += Line("What's new", Bytes(listing.whats_new_size));
    text += Line("Files", std::to_string(listing.files.size()));
    for (const ListedFile& file : listing.files)
      text += FileLine(file);
  } else {
    text += Line("Recorded folders", std::to_string(listing.recorded_folders.size()));
    for (const std::string& folder : listing.recorded_folders)
      text += "  " + folder + "\n";
    text += Line("Recorded files", std::to_string(listing.recorded_files.size()));
    for (const std::string& file : listing.recorded_files)
      text += "  " + file + "\n";
  }
  return text;
}

std::string FormatListingJson(const PackageListing& listing) {
  JsonWriter json;
  json.BeginObject();
  json.Key("role");
  json.String(RoleName(listing.role));
  json.Key("name");
  json.String(listing.name);
  const std::pair<const char*, int64_t> versions[] = {{"version_major", listing.version_major},
                                                      {"version_minor", listing.version_minor},
                                                      {"version_build", listing.version_build},
                                                      {"version_release", listing.version_release}};
  for (const auto& [key, value] : versions) {
    json.Key(key);
    json.Number(value);
  }
  const std::pair<const char*, const std::string*> texts[] = {
      {"publisher", &listing.publisher},
      {"website", &listing.website},
      {"address", &listing.address},
      {"contact_name", &listing.contact_name},
      {"contact_email", &listing.contact_email},
      {"settings_override", &listing.settings_override}};
  for (const auto& [key, value] : texts) {
    json.Key(key);
    json.String(*value);
  }
  const std::pair<const char*, int64_t> sizes[] = {{"license_size", listing.license_size},
                                                   {"readme_size", listing.readme_size},
                                                   {"whats_new_size", listing.whats_new_size},
                                                   {"banner_size", listing.banner_size}};
  for (const auto& [key, value] : sizes) {
    json.Key(key);
    json.Number(value);
  }
  json.Key("files");
  json.BeginArray();
  for (const ListedFile& file : listing.files)
    WriteFile(json, file);
  json.EndArray();
  WriteStrings(json, "recorded_folders", listing.recorded_folders);
  WriteStrings(json, "recorded_files", listing.recorded_files);
  json.EndObject();
  return json.Text();
}

}  // namespace xa::xapack
