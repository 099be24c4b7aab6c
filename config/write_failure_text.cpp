#include "config/write_failure_text.h"

const char* WriteFailureReason(WriteError error) {
    switch (error) {
    case WriteError::kNone: return "";
    case WriteError::kRefused: return "ファイルに保存できない文字が含まれています。";
    case WriteError::kFolderMissing: return "フォルダーが見つかりません。";
    case WriteError::kFolderReadOnly:
        return "フォルダーに書き込む権限がありません。書き込みのできるフォルダーにプログラムを置いてください。";
    case WriteError::kFileReadOnly: return "ファイルが読み取り専用になっています。";
    case WriteError::kBusy: return "ほかのプログラムがファイルを使い続けています。";
    case WriteError::kDiskFull: return "ディスクの空き領域が足りません。";
    case WriteError::kCannotRead: return "ファイルを読み込めません。";
    case WriteError::kOther: break;
    }
    return "システムが書き込みを受け付けませんでした。";
}

std::string WriteFailureMessage(const WriteFailure& failure) {
    std::string text = "ファイルに書き込めませんでした。\r\n\r\n";
    text += failure.path;
    text += "\r\n\r\n理由: ";
    text += WriteFailureReason(failure.result.error);
    if (failure.result.systemCode) text += "(エラー " + std::to_string(failure.result.systemCode) + ")";
    text += "\r\n\r\n変更はこのファイルに保存されていません。原因を取り除くまで、このファイルへの変更は保存されません。";
    return text;
}
