#pragma once

#include <QString>

#include <cstdio>
#include <exception>
#include <functional>
#include <string>

namespace quorvel {

// What went wrong, in the words of the error box.
enum class FailureKind {
    PastEndOfFile,    // 入力ファイルの終わりを越えて読み込もうとしました
    FileNotFound,     // ファイルが見つかりません
    PermissionDenied, // ファイルを読む権限がありません
    PathFileAccess,   // ファイルにアクセスできません
    Overflow,         // オーバーフロー
    IndexOutOfRange,  // インデックスが有効範囲にありません
    TypeMismatch,     // 型が一致しません
    BadPicture,       // 画像を読み込めません
    OutOfMemory,      // メモリが不足しています
};

QString failureText(FailureKind kind);

// A run-time failure: nothing in the program handles it; it ends the program with an error box
// that says what failed and where (file, record and field, or index).
class RuntimeFailure : public std::exception {
public:
    RuntimeFailure(FailureKind kind, QString where);

    FailureKind kind() const { return kind_; }
    const QString &where() const { return where_; }
    QString message() const;
    const char *what() const noexcept override { return utf8_.c_str(); }

private:
    FailureKind kind_;
    QString where_;
    std::string utf8_;
};

[[noreturn]] void raiseFailure(FailureKind kind, const QString &where);

// A text as a message quotes it: in double quotes, cut after 40 characters with "…", so that a
// huge field cannot swamp the error box.
QString quotedHead(const QString &text);

// Writes the whole message, NUL bytes included, and a line end.
void writeFailureMessage(std::FILE *out, const RuntimeFailure &failure);

// Ends the process at once with exit status 1: the end of every failure path.
[[noreturn]] void exitAfterFailure();

// The one failure path: by default it writes the message to standard error and ends the process
// with exit status 1. The program puts the error box in its place (error_box.h); tests replace it
// to observe the failure instead. A null handler puts the default back.
using FailureHandler = std::function<void(const RuntimeFailure &)>;
FailureHandler setFailureHandler(FailureHandler handler);
void reportFailure(const RuntimeFailure &failure);

// Runs an event handler or the start-up sequence; a failure ends it and takes the failure path.
// Returns false when the work ended in a failure (only observable with a test's handler).
bool runGuarded(const std::function<void()> &work);

} // namespace quorvel
