// Admin commands print plain lines; the export is RFC 4180 CSV with a header row.
#include "scores/admin/AdminCommands.h"

#include <charconv>
#include <fstream>
#include <stdexcept>
#include <string_view>

namespace brinecast::scores {

namespace {

bool Number(const std::string& text, int64_t& out) {
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, out);
  return !text.empty() && error == std::errc() && stop == end && out >= 0;
}

std::string CsvOf(const std::vector<StoredScore>& scores) {
  std::string csv = "id,name,score,text,time,address\r\n";
  for (const StoredScore& s : scores) {
    csv += std::to_string(s.id) + "," + CsvField(s.entry.name) + "," +
           std::to_string(s.entry.score) + "," + CsvField(s.entry.text) + "," +
           std::to_string(s.entry.time) + "," + CsvField(s.entry.address) + "\r\n";
  }
  return csv;
}

}  // namespace

std::string CsvField(const std::string& text) {
  // A spreadsheet runs a cell that starts like a formula; a leading quote makes it text.
  const bool formula =
      !text.empty() && std::string_view("=+-@\t\r").find(text[0]) != std::string_view::npos;
  const std::string cell = formula ? "'" + text : text;
  if (cell.find_first_of(",\"\r\n") == std::string::npos) return cell;
  std::string quoted = "\"";
  for (char c : cell) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + "\"";
}

int RunAdminCommand(ScoreStore& store, const std::vector<std::string>& command, std::FILE* out,
                    std::FILE* err) {
  const std::string verb = command.empty() ? "" : command[0];
  const size_t arguments = command.size() - (command.empty() ? 0 : 1);
  auto usage = [&](const char* form) {
    std::fprintf(err, "brinecast-scores admin: usage: %s\n", form);
    return 2;
  };
  try {
    if (verb == "list") {
      int64_t limit = 20;
      if (arguments > 1 || (arguments == 1 && !Number(command[1], limit))) {
        return usage("list [N]");
      }
      for (const StoredScore& s : store.List(limit)) {
        std::fprintf(out, "%lld\t%lld\t%s\t%s\t%lld\t%s%s\n", static_cast<long long>(s.id),
                     static_cast<long long>(s.entry.score), s.entry.name.c_str(),
                     s.entry.text.c_str(), static_cast<long long>(s.entry.time),
                     s.entry.address.c_str(), s.entry.proven ? "\tproven" : "");
      }
      return 0;
    }
    if (verb == "remove") {
      int64_t id = 0;
      if (arguments != 1 || !Number(command[1], id)) return usage("remove ID");
      if (!store.Remove(id)) {
        std::fprintf(err, "brinecast-scores admin: no score with id %lld\n",
                     static_cast<long long>(id));
        return 1;
      }
      std::fprintf(out, "removed score %lld\n", static_cast<long long>(id));
      return 0;
    }
    if (verb == "ban") {
      if (arguments != 1 || command[1].empty()) return usage("ban NAME");
      const int64_t removed = store.Ban(command[1]);
      std::fprintf(out, "banned '%s', removed %lld scores\n", command[1].c_str(),
                   static_cast<long long>(removed));
      return 0;
    }
    if (verb == "export") {
      if (arguments > 1) return usage("export [FILE]");
      const std::string csv = CsvOf(store.List(INT64_MAX));
      if (arguments == 0) {
        std::fwrite(csv.data(), 1, csv.size(), out);
        return 0;
      }
      std::ofstream file(command[1], std::ios::binary);
      if (!(file << csv) || !file.flush()) {
        std::fprintf(err, "brinecast-scores admin: cannot write %s\n", command[1].c_str());
        return 1;
      }
      return 0;
    }
    if (verb == "backup") {
      if (arguments != 1) return usage("backup FILE");
      StoreBackup* backups = store.Backups();
      if (!backups) {
        std::fprintf(err,
                     "brinecast-scores admin: a PostgreSQL database is backed up with its own "
                     "tools (pg_dump), not by this server\n");
        return 1;
      }
      backups->Backup(command[1]);
      std::fprintf(out, "backed up to %s\n", command[1].c_str());
      return 0;
    }
  } catch (const std::exception& e) {
    std::fprintf(err, "brinecast-scores admin: %s\n", e.what());
    return 1;
  }
  std::fprintf(err,
               "brinecast-scores admin: unknown command '%s' (list, remove, ban, export, "
               "backup)\n",
               verb.c_str());
  return 2;
}

}  // namespace brinecast::scores
