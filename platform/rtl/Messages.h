#pragma once
// The system's own message texts, in one place. They are UTF-8 (the active
// code page) and are filled with Format(); each names its placeholders.

inline constexpr const char* SFOpenError = "ファイル %s は開けません";                    // path
inline constexpr const char* SFCreateError = "ファイル %s を作成できません";              // path
inline constexpr const char* SUnknownExtension = "拡張子 .%s の画像形式は処理できません"; // extension
inline constexpr const char* SInvalidBitmap = "ビットマップイメージが不正です";
inline constexpr const char* SInvalidImageSize = "イメージのサイズが不正です";
inline constexpr const char* SScanLineIndex = "スキャンラインのインデックスが範囲を超えています";
inline constexpr const char* SInvalidPalette = "パレットが不正です";
inline constexpr const char* SJPEGError = "JPEG エラー #%d";                                // code
inline constexpr const char* SAssignError = "%s を %s に代入できません";                 // source, target class
inline constexpr const char* SInvalidDate = "'%s' は正しい日付ではありません";           // value
inline constexpr const char* SListIndexError = "リストのインデックスが範囲を超えています (%d)"; // index
inline constexpr const char* SUnknownCodePage = "コードページ %d は使用できません";                       // code page
inline constexpr const char* SDateEncodeError = "日付 %d-%d-%d は正しくありません";                       // year, month, day
inline constexpr const char* STimeEncodeError = "時刻 %d:%d:%d.%d は正しくありません";                    // hour, minute, second, millisecond
inline constexpr const char* SInvalidDateTimeValue = "日付時刻の値が範囲を超えています";

// Form streaming and resources.
inline constexpr const char* SInvalidFormStream = "Invalid form stream: %s at byte %d";       // what, offset
inline constexpr const char* SFormParseError = "line %d: %s";                              // line, what
inline constexpr const char* SFormTooDeep = "Invalid form: objects nested deeper than %d";   // limit
inline constexpr const char* SFormReadError = "Error reading %s.%s: %s";                   // component, property, what
inline constexpr const char* SUnknownFormProperty = "property %s does not exist in %s";     // property, class
inline constexpr const char* SUnknownFormIdent = "%s is not a value of %s";                 // identifier, property
inline constexpr const char* SFormValueMismatch = "a value of type %s does not fit this property"; // value type
inline constexpr const char* SUnknownFormMethod = "method %s does not exist in %s or does not fit the event"; // method, class
inline constexpr const char* SFormClassNotFound = "Class %s not found";                     // class
inline constexpr const char* SFormClassNotCreatable = "Class %s cannot be created from a form"; // class
inline constexpr const char* SFormRootMismatch = "The form is for %s, not for %s";          // stream class, root class
inline constexpr const char* SFormInheritedMissing = "inherited component %s does not exist in %s"; // name, class
inline constexpr const char* SFormFieldMismatch = "Field %s.%s cannot hold a %s";            // class, field, component class
inline constexpr const char* SFormWriteError = "Cannot write %s: %s";                       // what, why
inline constexpr const char* SResourceNotFound = "Resource %s not found";                   // name
inline constexpr const char* SMsgDlgOK = "OK";                                              // box buttons
inline constexpr const char* SMsgDlgYes = "はい(&Y)";
inline constexpr const char* SMsgDlgNo = "いいえ(&N)";

// JPEG images and pictures.
inline constexpr const char* SChangeJPEGSize = "JPEG イメージのサイズは変更できません";
inline constexpr const char* SUnknownGraphicClass = "画像クラス %s は登録されていません";      // class
inline constexpr const char* SNoPictureToSave = "保存する画像がありません";

// Controls, forms and boxes.
inline constexpr const char* SImageCanvasNeedsBitmap = "ビットマップを含まないイメージには描画できません";
inline constexpr const char* SMsgDlgConfirm = "確認";                                        // confirmation caption
inline constexpr const char* SMsgDlgWarning = "警告";
inline constexpr const char* SMsgDlgError = "エラー";
inline constexpr const char* SMsgDlgInformation = "情報";
inline constexpr const char* SControlParentSelf = "コントロールを自分自身の親にはできません";
