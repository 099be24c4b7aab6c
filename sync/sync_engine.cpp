// One sync: the changes on the server since the last sync (sync-collection from the stored token,
// or the ctag and the members' ETags where the server keeps no token), the changes in the memo
// files since then (each day's lines matched with the lines the state remembers), merged day by
// day, the memo files written, the state saved, then the memo changes sent. Every step can be cut
// short: what the state remembers is only ever what the server holds, so a sync that stopped
// anywhere is finished by the next one, which finds the lines and events that already agree.
#include "sync/sync_engine.h"

#include <algorithm>
#include <climits>
#include <ctime>
#include <map>
#include <set>

#include "calendar/civil_date.h"
#include "memo/memo_search.h"
#include "memo/memo_store.h"
#include "config/profile_store.h"
#include "sync/caldav_requests.h"
#include "sync/dav_xml.h"
#include "sync/line_match.h"
#include "sync/remote_event.h"
#include "sync/sync_state.h"

namespace {
constexpr size_t kMultigetBatch = 100;
constexpr int kCheckpointEvery = 200;  // sent changes between two saves of the state

// A line of a day as the merge builds it: its text, the record (and line) it stands for, and
// where it wants to stand.
struct Slot {
    std::string text;
    std::string owner;  // record key, empty for none
    size_t ownerLine = 0;
    int pos = 0;           // wanted index; INT_MAX: after the others
    bool fromServer = false;  // placed by the server's word: goes before a local line at the same index
};

struct Day {
    std::vector<std::string> now;  // the memo as read
    std::vector<Slot> slots;
    bool touched = false;  // the server changed something here: the day is laid out again
};

enum class LineState { kKept, kEdited, kGone };

struct LocalLine {
    LineState state = LineState::kGone;
    int index = -1;  // in Day::now
};

struct Remote {
    std::map<std::string, std::pair<std::string, std::string>> changed;  // key -> href, etag
    std::set<std::string> removed;
    std::string token, ctag;
    bool full = false;  // a listing of every member: what is not listed has gone
};

class Engine {
  public:
    Engine(const SyncJob& job, HttpTransport& t) : job_(job), t_(t) {}
    SyncOutcome Run();

  private:
    bool Fail(SyncFailure f, std::string detail = "", int status = 0) {
        if (out_.failure == SyncFailure::kNone) {
            out_.failure = f;
            out_.detail = std::move(detail);
            out_.status = status;
        }
        return false;
    }
    bool Cancelled() { return job_.cancel && job_.cancel->load() ? Fail(SyncFailure::kCancelled) : false; }
    bool Exchange(const HttpRequest& r, HttpResponse* resp);
    bool FailStatus(const HttpResponse& resp);
    bool ListRemote(Remote* remote);
    bool ListByEtags(Remote* remote);
    bool Fetch(const Remote& remote, std::map<std::string, SyncRecord>* fetched);
    void ReadLocal();
    void MatchLocal();
    void Merge(const Remote& remote, std::map<std::string, SyncRecord>& fetched);
    void Layout();
    bool WriteMemos();
    bool SendChanges();
    bool Checkpoint(bool force);
    bool Held(int day) const { return std::find(job_.heldDays.begin(), job_.heldDays.end(), day) != job_.heldDays.end(); }
    std::string Key(const std::string& href) const { return NormalHref(href); }
    std::string NewUid(int day, const std::string& text);

    const SyncJob& job_;
    HttpTransport& t_;
    SyncOutcome out_;
    std::string statePath_;
    SyncState state_;
    std::map<std::string, SyncRecord> records_;  // by Key(href)
    std::map<int, Day> days_;
    std::map<std::string, std::vector<LocalLine>> local_;  // per record, per line
    bool deferred_ = false;  // a change on a held day waits: the token is not moved on
    std::string stamp_;
    int unsaved_ = 0;
    std::set<std::string> usedUids_;
};

bool Engine::Exchange(const HttpRequest& r, HttpResponse* resp) {
    if (Cancelled()) return false;
    *resp = t_.Send(r);
    switch (resp->failure) {
    case HttpFailure::kNone: return true;
    case HttpFailure::kUnreachable: return Fail(SyncFailure::kUnreachable, resp->failureText);
    case HttpFailure::kTimeout: return Fail(SyncFailure::kTimeout, resp->failureText);
    case HttpFailure::kCertificate: return Fail(SyncFailure::kCertificate, resp->failureText);
    case HttpFailure::kTooLarge: return Fail(SyncFailure::kTooLarge, resp->failureText);
    case HttpFailure::kOther: return Fail(SyncFailure::kUnreachable, resp->failureText);
    }
    return Fail(SyncFailure::kUnreachable);
}

bool Engine::FailStatus(const HttpResponse& resp) {
    int s = resp.status;
    if (s == 401) return Fail(SyncFailure::kAuth, "", s);
    if (s == 403) return Fail(SyncFailure::kForbidden, "", s);
    if (s == 404) return Fail(SyncFailure::kNotFound, "", s);
    return Fail(SyncFailure::kServer, "HTTP " + std::to_string(s), s);
}

bool Engine::ListByEtags(Remote* remote) {
    HttpResponse resp;
    if (!Exchange(CollectionPropfind(job_.url), &resp)) return false;
    if (resp.status != 207) return FailStatus(resp);
    DavMultistatus ms;
    if (!ParseMultistatus(resp.body, &ms) || ms.resources.empty()) return Fail(SyncFailure::kMalformed, "PROPFIND");
    remote->ctag = ms.resources[0].ctag;
    if (!remote->ctag.empty() && remote->ctag == state_.ctag) return true;  // nothing changed there
    if (!Exchange(MemberEtagsPropfind(job_.url), &resp)) return false;
    if (resp.status != 207) return FailStatus(resp);
    if (!ParseMultistatus(resp.body, &ms)) return Fail(SyncFailure::kMalformed, "PROPFIND");
    remote->full = true;
    std::string self = Key(PathOfUrl(job_.url));
    for (const DavResource& r : ms.resources) {
        if (r.isCollection || Key(r.href) == self || r.status != 200) continue;
        auto known = records_.find(Key(r.href));
        if (known == records_.end() || known->second.etag != r.etag || r.etag.empty())
            remote->changed[Key(r.href)] = {r.href, r.etag};
        else
            remote->changed.erase(Key(r.href));
        remote->removed.erase(Key(r.href));
    }
    std::set<std::string> listed;
    for (const DavResource& r : ms.resources) listed.insert(Key(r.href));
    for (const auto& [key, rec] : records_)
        if (!listed.count(key)) remote->removed.insert(key);
    return true;
}

bool Engine::ListRemote(Remote* remote) {
    for (int attempt = 0; attempt < 2; ++attempt) {
        HttpResponse resp;
        if (!Exchange(SyncCollectionReport(job_.url, state_.token), &resp)) return false;
        if (resp.status == 401 || resp.status == 404) return FailStatus(resp);
        if (resp.status != 207) {
            // The token has expired (403/409 valid-sync-token) or the server keeps none.
            if (!state_.token.empty() && (resp.status == 403 || resp.status == 409 || resp.status == 400)) {
                state_.token.clear();
                continue;
            }
            if (resp.status >= 500 && resp.status != 501) return FailStatus(resp);
            return ListByEtags(remote);
        }
        DavMultistatus ms;
        if (!ParseMultistatus(resp.body, &ms)) return Fail(SyncFailure::kMalformed, "REPORT sync-collection");
        remote->token = ms.syncToken;
        remote->full = state_.token.empty();
        std::string self = Key(PathOfUrl(job_.url));
        std::set<std::string> listed;
        for (const DavResource& r : ms.resources) {
            std::string key = Key(r.href);
            if (key == self) continue;
            if (r.status == 404) {
                remote->removed.insert(key);
                continue;
            }
            listed.insert(key);
            auto known = records_.find(key);
            if (known == records_.end() || known->second.etag != r.etag || r.etag.empty()) remote->changed[key] = {r.href, r.etag};
        }
        if (remote->full)
            for (const auto& [key, rec] : records_)
                if (!listed.count(key)) remote->removed.insert(key);
        return true;
    }
    return Fail(SyncFailure::kServer, "sync-token");
}

bool Engine::Fetch(const Remote& remote, std::map<std::string, SyncRecord>* fetched) {
    std::vector<std::string> hrefs;
    for (const auto& [key, he] : remote.changed) hrefs.push_back(he.first);
    for (size_t at = 0; at < hrefs.size(); at += kMultigetBatch) {
        std::vector<std::string> batch(hrefs.begin() + static_cast<long>(at),
                                       hrefs.begin() + static_cast<long>(std::min(hrefs.size(), at + kMultigetBatch)));
        HttpResponse resp;
        if (!Exchange(MultigetReport(job_.url, batch), &resp)) return false;
        if (resp.status != 207) return FailStatus(resp);
        DavMultistatus ms;
        if (!ParseMultistatus(resp.body, &ms)) return Fail(SyncFailure::kMalformed, "REPORT calendar-multiget");
        for (const DavResource& r : ms.resources) {
            if (r.status != 200 || !r.hasCalendarData) continue;
            SyncRecord rec;
            if (!ReadRemoteEvent(r.calendarData, &rec)) continue;  // nothing a memo line can show
            rec.href = r.href;
            rec.etag = r.etag;
            (*fetched)[Key(r.href)] = std::move(rec);
        }
    }
    return true;
}

void Engine::ReadLocal() {
    ProfileReadBatch batch;
    std::set<int> wanted;
    int first, last;
    if (FindMemoYearRange(job_.files->memoPath, &first, &last)) {
        for (int y = first; y <= last; ++y)
            for (int m = 1; m <= 12; ++m)
                for (int d = 1; d <= 31; ++d) {
                    int day = DayNumberOf(y, m, d);
                    int yy, mm, dd;
                    DateOfDayNumber(day, &yy, &mm, &dd);
                    if (mm == m) wanted.insert(day);
                }
    }
    for (const auto& [key, rec] : records_)
        for (const SyncLine& l : rec.lines) wanted.insert(l.day);
    for (int day : wanted) {
        if (Held(day)) continue;
        int y, m, d;
        DateOfDayNumber(day, &y, &m, &d);
        std::vector<std::string> lines = MemoLinesOf(ReadMemo(y, m, d));
        if (lines.empty() && !days_.count(day)) {
            bool any = false;
            for (const auto& [key, rec] : records_)
                for (const SyncLine& l : rec.lines) any = any || l.day == day;
            if (!any) continue;
        }
        days_[day].now = std::move(lines);
    }
}

void Engine::MatchLocal() {
    // The lines the state remembers on each day, in their order.
    std::map<int, std::vector<std::pair<std::string, size_t>>> base;
    for (auto& [key, rec] : records_) {
        local_[key].assign(rec.lines.size(), LocalLine{});
        for (size_t i = 0; i < rec.lines.size(); ++i) base[rec.lines[i].day].push_back({key, i});
    }
    for (auto& [day, list] : base) {
        auto found = days_.find(day);
        if (found == days_.end()) {  // held: taken as it was
            for (auto& [key, i] : list) local_[key][i] = LocalLine{LineState::kKept, -1};
            continue;
        }
        std::sort(list.begin(), list.end(), [&](const auto& a, const auto& b) {
            return records_[a.first].lines[a.second].order < records_[b.first].lines[b.second].order;
        });
        std::vector<std::string> texts;
        for (auto& [key, i] : list) texts.push_back(records_[key].lines[i].text);
        LineMatch m = MatchLines(texts, found->second.now);
        for (size_t b = 0; b < list.size(); ++b) {
            LocalLine& l = local_[list[b].first][list[b].second];
            l.index = m.baseTo[b];
            l.state = l.index < 0 ? LineState::kGone : m.edited[b] ? LineState::kEdited : LineState::kKept;
        }
    }
    // Every line of the memo as a slot where it stands, owned by the record it matched.
    for (auto& [day, d] : days_) {
        d.slots.resize(d.now.size());
        for (size_t i = 0; i < d.now.size(); ++i) d.slots[i] = Slot{d.now[i], "", 0, static_cast<int>(i), false};
    }
    for (auto& [key, lines] : local_)
        for (size_t i = 0; i < lines.size(); ++i)
            if (lines[i].index >= 0) {
                Slot& s = days_[records_[key].lines[i].day].slots[static_cast<size_t>(lines[i].index)];
                s.owner = key;
                s.ownerLine = i;
            }
}

void Engine::Merge(const Remote& remote, std::map<std::string, SyncRecord>& fetched) {
    auto slotOf = [&](const std::string& key, size_t i) -> Slot* {
        const LocalLine& l = local_[key][i];
        if (l.index < 0) return nullptr;
        return &days_[records_[key].lines[i].day].slots[static_cast<size_t>(l.index)];
    };
    auto disown = [&](const std::string& key) {
        for (size_t i = 0; i < local_[key].size(); ++i)
            if (Slot* s = slotOf(key, i)) s->owner.clear();
    };
    // The server's lines of rec put in as lines of their own.
    auto insert = [&](const std::string& key, const SyncRecord& rec) {
        for (size_t i = 0; i < rec.lines.size(); ++i) {
            const SyncLine& l = rec.lines[i];
            Day& d = days_[l.day];
            d.touched = true;
            d.slots.push_back(Slot{l.text, key, i, l.pos >= 0 ? l.pos : INT_MAX, true});
        }
    };
    auto anyHeld = [&](const SyncRecord& rec) {
        for (const SyncLine& l : rec.lines)
            if (Held(l.day)) return true;
        return false;
    };

    for (const std::string& key : remote.removed) {
        auto it = records_.find(key);
        if (it == records_.end()) continue;
        if (anyHeld(it->second)) {
            deferred_ = true;
            continue;
        }
        bool kept = false;
        for (size_t i = 0; i < local_[key].size(); ++i) {
            Slot* s = slotOf(key, i);
            if (!s) continue;
            if (local_[key][i].state == LineState::kKept) {
                s->owner = "-";  // removed below
                days_[it->second.lines[i].day].touched = true;
                ++out_.counts.deletedLocal;
            } else {
                s->owner.clear();  // edited here: stays, and goes up as an event of its own
                kept = true;
            }
        }
        if (kept) ++out_.counts.conflicts;
        records_.erase(it);
        local_.erase(key);
    }
    for (auto& [key, rec] : fetched) {
        if (anyHeld(rec)) {
            deferred_ = true;
            continue;
        }
        auto it = records_.find(key);
        if (it == records_.end()) {
            // New on the server. A line already here that stands for nothing is this event
            // (a sync cut short after it wrote the line, or after it sent it).
            for (size_t i = 0; i < rec.lines.size(); ++i) {
                SyncLine& l = rec.lines[i];
                Day& d = days_[l.day];
                bool claimed = false;
                for (Slot& s : d.slots)
                    if (s.owner.empty() && !s.text.empty() && s.text == l.text) {
                        s.owner = key;
                        s.ownerLine = i;
                        claimed = true;
                        break;
                    }
                if (!claimed) {
                    d.touched = true;
                    d.slots.push_back(Slot{l.text, key, i, l.pos >= 0 ? l.pos : INT_MAX, true});
                    ++out_.counts.received;
                }
            }
            local_[key].assign(rec.lines.size(), LocalLine{LineState::kKept, 0});
            records_[key] = rec;
            continue;
        }
        SyncRecord& old = it->second;
        std::vector<LocalLine>& lines = local_[key];
        bool changedHere = false, allAgree = rec.lines.size() == lines.size();
        for (size_t i = 0; i < lines.size(); ++i) {
            changedHere = changedHere || lines[i].state != LineState::kKept;
            if (allAgree && i < rec.lines.size()) {
                Slot* s = slotOf(key, i);
                allAgree = s && s->text == rec.lines[i].text && old.lines[i].day == rec.lines[i].day;
            }
        }
        bool sameAsBefore = rec.lines.size() == old.lines.size();
        for (size_t i = 0; sameAsBefore && i < rec.lines.size(); ++i)
            sameAsBefore = rec.lines[i].text == old.lines[i].text && rec.lines[i].day == old.lines[i].day &&
                           (rec.lines[i].pos < 0 || rec.lines[i].pos == old.lines[i].pos);
        if (allAgree || (sameAsBefore && !changedHere)) {
            // The server holds what the memo holds (our own change come back, or one sent by a
            // sync cut short): only its new ETag to remember.
            for (size_t i = 0; i < lines.size(); ++i) {
                if (rec.lines[i].pos < 0) {
                    rec.lines[i].pos = old.lines[i].pos;
                } else if (Slot* s = slotOf(key, i); s && rec.own) {
                    // Ours, moved by another Tessel: it goes where the event says.
                    if (s->pos != rec.lines[i].pos) days_[rec.lines[i].day].touched = true;
                    s->pos = rec.lines[i].pos;
                    s->fromServer = true;
                }
            }
            for (size_t i = 0; i < lines.size(); ++i) lines[i].state = LineState::kKept;
            old = rec;
            continue;
        }
        if (!changedHere) {
            // Changed there only: the memo follows. A foreign event's line keeps its place when
            // it stays on its day; ours goes where the event says.
            bool inPlace = !rec.own && rec.lines.size() == old.lines.size();
            for (size_t i = 0; inPlace && i < rec.lines.size(); ++i) inPlace = rec.lines[i].day == old.lines[i].day;
            if (inPlace) {
                for (size_t i = 0; i < lines.size(); ++i)
                    if (Slot* s = slotOf(key, i); s && s->text != rec.lines[i].text) {
                        s->text = rec.lines[i].text;
                        days_[rec.lines[i].day].touched = true;
                    }
            } else {
                for (size_t i = 0; i < lines.size(); ++i)
                    if (Slot* s = slotOf(key, i)) {
                        s->owner = "-";
                        days_[old.lines[i].day].touched = true;
                    }
                insert(key, rec);
            }
            ++out_.counts.received;
            lines.assign(rec.lines.size(), LocalLine{LineState::kKept, 0});
            old = rec;
            continue;
        }
        // Changed on both sides: the memo keeps its lines, and the server's text comes in as
        // lines of their own (sent as new events). The record follows the server, so the
        // local edit goes up over the event's new ETag.
        ++out_.counts.conflicts;
        disown(key);
        for (const SyncLine& l : rec.lines) {
            Day& d = days_[l.day];
            d.touched = true;
            d.slots.push_back(Slot{l.text, "", 0, INT_MAX, true});
        }
        // The event itself stands for its lines as the memo has them now: edits go up below.
        std::vector<LocalLine> now = lines;
        SyncRecord merged = old;
        merged.etag = rec.etag;
        records_[key] = merged;
        for (size_t i = 0; i < now.size(); ++i)
            if (now[i].index >= 0) {
                Slot& s = days_[merged.lines[i].day].slots[static_cast<size_t>(now[i].index)];
                s.owner = key;
                s.ownerLine = i;
            }
        lines = now;
    }
}

void Engine::Layout() {
    // Each touched day laid out again: the server's lines at the places they carry, the memo's
    // where they stand, blank lines where the places leave gaps (those of the memo as it was
    // would stand in the way of the lines moved up).
    for (auto& [day, d] : days_) {
        std::vector<Slot> slots;
        for (Slot& s : d.slots)
            if (s.owner != "-" && (!d.touched || !s.text.empty())) slots.push_back(s);
        if (d.touched) {
            std::stable_sort(slots.begin(), slots.end(), [](const Slot& a, const Slot& b) {
                if (a.pos != b.pos) return a.pos < b.pos;
                return a.fromServer && !b.fromServer;
            });
            std::vector<Slot> placed;
            for (Slot& s : slots) {
                if (s.pos != INT_MAX)
                    while (static_cast<int>(placed.size()) < s.pos) placed.push_back(Slot{"", "", 0, 0, false});
                placed.push_back(s);
            }
            while (!placed.empty() && placed.back().text.empty()) placed.pop_back();
            slots = std::move(placed);
        }
        d.slots = std::move(slots);
    }
}

bool Engine::WriteMemos() {
    ProfileWriteBatch batch;  // each year file replaced once
    for (auto& [day, d] : days_) {
        std::vector<std::string> lines;
        for (const Slot& s : d.slots) lines.push_back(s.text);
        if (lines == d.now) continue;
        int y, m, dd;
        DateOfDayNumber(day, &y, &m, &dd);
        MemoStoreResult r = StoreMemo(y, m, dd, MemoOfLines(lines), false);
        if (!r.result) return Fail(SyncFailure::kWrite, job_.files->memoPath);
        out_.memosChanged = out_.memosChanged || r.changed;
    }
    if (!batch.End()) return Fail(SyncFailure::kWrite, job_.files->yearMemoBase);
    return true;
}

bool Engine::Checkpoint(bool force) {
    if (!force && ++unsaved_ < kCheckpointEvery) return true;
    unsaved_ = 0;
    state_.records.clear();
    for (const auto& [key, rec] : records_) state_.records[rec.href] = rec;
    if (!SaveSyncState(statePath_.c_str(), state_)) return Fail(SyncFailure::kWrite, statePath_);
    return true;
}

std::string Engine::NewUid(int day, const std::string& text) {
    // The same line on the same day gets the same UID, so a PUT that a cut-short sync already
    // made is refused (If-None-Match) instead of made twice.
    for (int k = 0;; ++k) {
        std::string uid = EventUid(IcsDateText(day) + "|" + std::to_string(k) + "|" + text);
        if (usedUids_.insert(uid).second) return uid;
    }
}

bool Engine::SendChanges() {
    LineEventOptions options{job_.tags, job_.alarm, job_.alarmMinutes};
    std::string collection = job_.url;
    // What to send, worked out against the final layout: per record its lines where they stand.
    struct Placed {
        int day;
        int index;
        std::string text;
    };
    std::map<std::string, std::vector<Placed>> where;  // record key -> its lines now (text empty: gone)
    std::vector<Placed> fresh;                          // lines standing for no event
    for (auto& [key, rec] : records_) {
        where[key].assign(rec.lines.size(), Placed{0, -1, ""});
        usedUids_.insert(rec.uid);
    }
    for (auto& [day, d] : days_)
        for (size_t i = 0; i < d.slots.size(); ++i) {
            const Slot& s = d.slots[i];
            if (s.text.empty()) continue;
            if (!s.owner.empty() && where.count(s.owner) && s.ownerLine < where[s.owner].size())
                where[s.owner][s.ownerLine] = Placed{day, static_cast<int>(i), s.text};
            else
                fresh.push_back(Placed{day, static_cast<int>(i), s.text});
        }
    // Where each line stands now is the order the next sync matches in; foreign lines keep it as
    // their place too, the server knowing none.
    for (auto& [key, rec] : records_)
        for (size_t i = 0; i < rec.lines.size(); ++i)
            if (where[key][i].index >= 0) {
                rec.lines[i].order = where[key][i].index;
                if (!rec.own && where[key][i].text == rec.lines[i].text) rec.lines[i].pos = where[key][i].index;
            }
    if (!Checkpoint(true)) return false;
    if (deferred_) state_.token.clear();

    auto put = [&](const std::string& href, const std::string& uid, const SyncLine& line, const std::string& etag,
                   HttpResponse* resp) {
        return Exchange(PutEvent(UrlOfHref(collection, href), OwnEventIcs(uid, line, options, stamp_.c_str()), etag), resp);
    };
    std::vector<std::string> keys;
    for (auto& [key, rec] : records_) keys.push_back(key);
    for (const std::string& key : keys) {
        SyncRecord& rec = records_[key];
        std::vector<Placed>& now = where[key];
        bool held = false;
        for (const SyncLine& l : rec.lines) held = held || Held(l.day);
        if (held) continue;
        bool same = true, gone = true;
        for (size_t i = 0; i < rec.lines.size(); ++i) {
            if (now[i].index >= 0) gone = false;
            same = same && now[i].index >= 0 && now[i].text == rec.lines[i].text &&
                   (!rec.own || (now[i].day == rec.lines[i].day && now[i].index == rec.lines[i].pos));
        }
        if (same) continue;
        HttpResponse resp;
        if (gone || (rec.recurring && !same)) {
            // A series is never cut up here: any line of it gone or edited deletes the series,
            // and the lines still standing go up as events of their own. They stop standing for
            // the series before it goes (the state saved first), so a sync cut short in between
            // can never take the series' going for a reason to remove them.
            std::string href = rec.href, etag = rec.etag;
            if (rec.recurring) {
                for (size_t i = 0; i < rec.lines.size(); ++i)
                    if (now[i].index >= 0) fresh.push_back(now[i]);
                records_.erase(key);
                if (!Checkpoint(true)) return false;
            }
            if (!Exchange(DeleteEvent(UrlOfHref(collection, href), etag), &resp)) return Checkpoint(true) && false;
            if (resp.status == 200 || resp.status == 204 || resp.status == 404) {
                ++out_.counts.deletedRemote;
                records_.erase(key);
            } else if (resp.status != 412) {
                Checkpoint(true);
                return FailStatus(resp);
            }
        } else {
            SyncLine line{now[0].day, now[0].index, now[0].text, now[0].index};
            if (!put(rec.href, rec.uid, line, rec.etag, &resp)) return Checkpoint(true) && false;
            if (resp.status >= 200 && resp.status < 300) {
                ++out_.counts.sent;
                rec.own = true;
                rec.lines = {line};
                const std::string* etag = resp.Header("ETag");
                rec.etag = etag ? *etag : "";
            } else if (resp.status != 412 && resp.status != 404) {
                Checkpoint(true);
                return FailStatus(resp);
            }  // changed or gone there meanwhile: the next sync merges it
        }
        if (!Checkpoint(false)) return false;
    }
    for (const Placed& p : fresh) {
        if (Held(p.day)) continue;
        std::string uid = NewUid(p.day, p.text);
        std::string href = PathOfUrl(collection) + uid.substr(0, uid.find('@')) + ".ics";
        SyncLine line{p.day, p.index, p.text, p.index};
        HttpResponse resp;
        if (!put(href, uid, line, "", &resp)) return Checkpoint(true) && false;
        if (resp.status >= 200 && resp.status < 300) {
            ++out_.counts.sent;
            SyncRecord rec{href, "", uid, true, false, {line}};
            if (const std::string* etag = resp.Header("ETag")) rec.etag = *etag;
            records_[Key(href)] = rec;
        } else if (resp.status != 412) {
            Checkpoint(true);
            return FailStatus(resp);
        }  // already there: a sync cut short sent it; the next sync finds it and takes it as this line
        if (!Checkpoint(false)) return false;
    }
    return Checkpoint(true);
}

SyncOutcome Engine::Run() {
    std::string why;
    if (!SyncUrlAllowed(job_.url, &why)) {
        Fail(SyncFailure::kInsecureUrl, why);
        return out_;
    }
    statePath_ = SyncStatePath(*job_.files);
    state_ = LoadSyncState(statePath_.c_str());
    if (state_.url != job_.url) state_ = SyncState{job_.url, "", "", {}};  // another calendar: begin anew
    for (auto& [href, rec] : state_.records) records_[Key(href)] = rec;
    std::time_t now = std::time(nullptr);
    std::tm utc{};
#ifdef _WIN32
    gmtime_s(&utc, &now);
#else
    gmtime_r(&now, &utc);
#endif
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%dT%H%M%SZ", &utc);
    stamp_ = stamp;

    Remote remote;
    if (!ListRemote(&remote)) return out_;
    std::map<std::string, SyncRecord> fetched;
    if (!Fetch(remote, &fetched)) return out_;
    // A member listed as changed that the multiget did not return as an event has gone for us.
    for (const auto& [key, he] : remote.changed)
        if (!fetched.count(key) && records_.count(key)) remote.removed.insert(key);
    ReadLocal();
    MatchLocal();
    Merge(remote, fetched);
    Layout();
    if (!WriteMemos()) return out_;
    if (!remote.token.empty()) state_.token = remote.token;
    if (!remote.ctag.empty()) state_.ctag = remote.ctag;
    if (!SendChanges()) return out_;
    // What we sent changed the ctag; the next sync lists the ETags once and finds them agreeing.
    return out_;
}
}  // namespace

SyncOutcome RunSync(const SyncJob& job, HttpTransport& transport) { return Engine(job, transport).Run(); }

SyncOutcome CheckSyncCalendar(const std::string& url, HttpTransport& transport) {
    SyncOutcome out;
    std::string why;
    if (!SyncUrlAllowed(url, &why)) {
        out.failure = SyncFailure::kInsecureUrl;
        out.detail = why;
        return out;
    }
    HttpResponse resp = transport.Send(CollectionPropfind(url));
    switch (resp.failure) {
    case HttpFailure::kNone: break;
    case HttpFailure::kTimeout: out.failure = SyncFailure::kTimeout; break;
    case HttpFailure::kCertificate: out.failure = SyncFailure::kCertificate; break;
    case HttpFailure::kTooLarge: out.failure = SyncFailure::kTooLarge; break;
    default: out.failure = SyncFailure::kUnreachable; break;
    }
    out.detail = resp.failureText;
    if (!out.ok()) return out;
    out.status = resp.status;
    if (resp.status == 401) out.failure = SyncFailure::kAuth;
    else if (resp.status == 403) out.failure = SyncFailure::kForbidden;
    else if (resp.status == 404) out.failure = SyncFailure::kNotFound;
    else if (resp.status != 207) out.failure = SyncFailure::kServer;
    if (!out.ok()) return out;
    DavMultistatus ms;
    if (!ParseMultistatus(resp.body, &ms) || ms.resources.empty()) {
        out.failure = SyncFailure::kMalformed;
        return out;
    }
    const DavResource& c = ms.resources[0];
    bool events = c.components.empty() || std::find(c.components.begin(), c.components.end(), "VEVENT") != c.components.end();
    if (!c.isCalendar || !events) out.failure = SyncFailure::kNotCalendar;
    return out;
}

std::string SyncStatePath(const DataFiles& files) {
    std::string memo = files.memoPath;
    if (memo.size() > 4 && memo.compare(memo.size() - 4, 4, ".ini") == 0) memo.resize(memo.size() - 4);
    return memo + "_sync.ini";
}
