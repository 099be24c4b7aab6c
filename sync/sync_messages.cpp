// What a sync says to the user: one line for a failure, one for what it did.
#include <string>

#include "sync/sync_engine.h"

std::string SyncFailureLine(const SyncOutcome& o) {
    std::string line;
    switch (o.failure) {
    case SyncFailure::kNone: return "";
    case SyncFailure::kInsecureUrl: line = "この URL には同期できません"; break;
    case SyncFailure::kAuth: line = "ユーザー名かパスワードが違います (HTTP 401)"; break;
    case SyncFailure::kForbidden: line = "このカレンダーに触れる権限がありません (HTTP 403)"; break;
    case SyncFailure::kNotFound: line = "その URL にカレンダーがありません (HTTP 404)"; break;
    case SyncFailure::kNotCalendar: line = "その URL は予定を入れられるカレンダーではありません"; break;
    case SyncFailure::kUnreachable: line = "サーバーにつながりません"; break;
    case SyncFailure::kTimeout: line = "サーバーが時間内に応えません"; break;
    case SyncFailure::kCertificate: line = "サーバーの証明書を確かめられません"; break;
    case SyncFailure::kTooLarge: line = "サーバーの応答が大きすぎます"; break;
    case SyncFailure::kServer: line = "サーバーがエラーを返しました"; break;
    case SyncFailure::kMalformed: line = "サーバーの応答を読めません"; break;
    case SyncFailure::kWrite: line = "ファイルに書き込めませんでした"; break;
    case SyncFailure::kCancelled: line = "同期を途中でやめました"; break;
    }
    return line;
}

std::string SyncSummaryLine(const SyncCounts& c) {
    return "同期: 送信 " + std::to_string(c.sent) + "、受信 " + std::to_string(c.received) + "、サーバーで削除 " +
           std::to_string(c.deletedRemote) + "、メモから削除 " + std::to_string(c.deletedLocal) + "、両方の変更を残した " +
           std::to_string(c.conflicts);
}
