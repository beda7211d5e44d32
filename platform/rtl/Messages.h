#pragma once
// The system's own message texts, in one place. They are UTF-8 (the active
// code page) and are filled with Format(); each names its placeholders.

inline constexpr const char* SFOpenError = "ファイル %s は開けません";                    // path
inline constexpr const char* SFCreateError = "ファイル %s を作成できません";              // path
inline constexpr const char* SUnknownExtension = "拡張子 .%s の画像形式は処理できません"; // extension
inline constexpr const char* SInvalidBitmap = "ビットマップイメージが不正です";
inline constexpr const char* SJPEGError = "JPEG エラー #%d";                                // code
inline constexpr const char* SAssignError = "%s を %s に代入できません";                 // source, target class
inline constexpr const char* SInvalidDate = "'%s' は正しい日付ではありません";           // value
inline constexpr const char* SListIndexError = "リストのインデックスが範囲を超えています (%d)"; // index
