#pragma once

// The user-visible texts of the engine, in Russian, as the program shows them.
// Patterns follow Format (model/Format.h). One place for them, so a language
// module can later replace them by name.
namespace corvel::texts {

// Draw archive
inline constexpr const char* kArchiveLoading = "Загрузка файла тиражей...";
inline constexpr const char* kArchiveSaving = "Сохранение файла тиражей...";
inline constexpr const char* kArchiveReadError = "Ошибка чтения файла тиражей!\r\r%s";
inline constexpr const char* kArchiveWriteError = "Ошибка записи в файл тиражей!\r\r%s";
inline constexpr const char* kArchiveTooLarge =
    "Файл тиражей содержит %d записей, это больше допустимых %d: прочитаны только первые записи";
inline constexpr const char* kDrawIndexNotFound = "Запись со индексом %d в файле данных не найдена!";
inline constexpr const char* kDrawNumberNotFound = "Тираж с номером %d в архиве не найден!";
inline constexpr const char* kStatusArchive = "Архив тиражей: %d";
inline constexpr const char* kStatusNextDraw = "Следующий тираж: %d";
inline constexpr const char* kBadCombination = "Введена некорректная комбинация!";
inline constexpr const char* kBadDrawNumber = "Некорректный номер тиража: %s";
inline constexpr const char* kBadDate = "Некорректная дата тиража: %s";
inline constexpr const char* kDeleting = "Удаление выделенных тиражей....";

// Shared user-interface services
inline constexpr const char* kProgressExists = "Окно индикатора уже создано!";
inline constexpr const char* kPleaseWait = "Подождите пожалуйста...";

// Statistic framework
inline constexpr const char* kGroupHeading = "{ %1:s } %0:s";
inline constexpr const char* kMethodWithFlags = "%0:s [ %1:s ]";
inline constexpr const char* kUnknownGroup = "#ERROR#";
inline constexpr const char* kNoMethodSelected = "Не выбран метод расчета статистики (cb: %s)!";
inline constexpr const char* kFiltersLoadError = "Ошибка загрузки списка фильтров!\r\r%s";
inline constexpr const char* kFiltersSaveError = "Ошибка сохранения списка фильтров!\r\r%s";
inline constexpr const char* kUnknownMethod = "Неизвестный метод расчета статистики: %s";
inline constexpr const char* kSimilarMethods = "Похожие методы: %s";

// Ini files
inline constexpr const char* kIniLineError = "%s, строка %d: %s";

}  // namespace corvel::texts
