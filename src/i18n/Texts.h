#pragma once

// The user-visible texts of the engine, in Russian, as the program shows them.
// Patterns follow Format (model/Format.h). One place for them, so a language
// module can later replace them by name. The ...Error texts are the fixed
// texts of operations: a failure shows them, an empty line and the error's
// message (ErrorReport in model/Errors.h).
namespace corvel::texts {

// Draw archive
inline constexpr const char* kArchiveLoading = "Загрузка файла тиражей...";
inline constexpr const char* kArchiveSaving = "Сохранение файла тиражей...";
inline constexpr const char* kArchiveReadError = "Ошибка чтения файла тиражей!";
inline constexpr const char* kArchiveWriteError = "Ошибка записи в файл тиражей!";
inline constexpr const char* kArchiveTooLarge =
    "%s: в файле тиражей %d записей, а допустимо не больше %d; файл поврежден и не прочитан";
inline constexpr const char* kArchiveTooManyRecords =
    "%s: архив тиражей не может содержать больше %d записей; файл не изменен";
inline constexpr const char* kDrawIndexNotFound = "Запись со индексом %d в файле данных не найдена!";
inline constexpr const char* kDrawNumberNotFound = "Тираж с номером %d в архиве не найден!";
inline constexpr const char* kStatusArchive = "Архив тиражей: %d";
inline constexpr const char* kStatusNextDraw = "Следующий тираж: %d";
inline constexpr const char* kBadCombination = "Введена некорректная комбинация!";
inline constexpr const char* kBadDrawNumber = "Некорректный номер тиража: %s";
inline constexpr const char* kBadDate = "Некорректная дата тиража: %s";
inline constexpr const char* kDeleting = "Удаление выделенных тиражей....";

// The per-folder lock: the stakes file held exclusively by the desktop program
// and, while they run, by the commands that write data files.
inline constexpr const char* kExclusiveAccess =
    "Невозможно получить монопольный доступ к файлам данных!\r\rВозможные причины данной ошибки: \r\r1) Вы "
    "пытаетесь запустить вторую копию программы из одного и того же каталога. Корректная работа нескольких "
    "копий программы возможна только из разных каталогов.\r\r2) Для программы нет прав на запись в том "
    "каталоге, где она расположена. Например: в Windows 7 и выше по умолчанию запрещена запись в c:\\Program "
    "Files.";
inline constexpr const char* kProgramWillClose = "Программа будет закрыта!";
inline constexpr const char* kDownloadLater =
    "Загрузка тиражей из сети будет доступна в следующих версиях программы.";

// Shared user-interface services
inline constexpr const char* kProgressExists = "Окно индикатора уже создано!";
inline constexpr const char* kPleaseWait = "Подождите пожалуйста...";
inline constexpr const char* kCommandError = "Ошибка выполнения команды!";

// Statistic framework
inline constexpr const char* kGroupHeading = "{ %1:s } %0:s";
inline constexpr const char* kMethodWithFlags = "%0:s [ %1:s ]";
inline constexpr const char* kUnknownGroup = "#ERROR#";
inline constexpr const char* kNoMethodSelected = "Не выбран метод расчета статистики (cb: %s)!";
inline constexpr const char* kFiltersLoadError = "Ошибка загрузки списка фильтров!";
inline constexpr const char* kFiltersSaveError = "Ошибка сохранения списка фильтров!";
inline constexpr const char* kUnknownMethod = "Неизвестный метод расчета статистики: %s";
inline constexpr const char* kSimilarMethods = "Похожие методы: %s";

// Filters
inline constexpr const char* kBadFilterDefinition = "Некорректное описание фильтра: %s!";
inline constexpr const char* kTooManyFilterParts =
    "Описание фильтра %s дает слишком много вариантов (допустимо не более %.0n)!\r"
    "Пожалуйста, уменьшите количество вариантов длины выборки и глубины.";
inline constexpr const char* kNoFilterPart = "Нет варианта фильтра с номером %d: %s!";
inline constexpr const char* kBadRange = "Введен некорректный диапазон значений!";
inline constexpr const char* kNoValueListMode =
    "Для данного вида статистики не доступен режим выделения по списку значений!";
inline constexpr const char* kMultiSelectStopCount =
    "В режиме мультивыделения остановка сценария по количеству комбинаций или чисел не может быть "
    "выполнена!\rВыберите другой способ останова.";
inline constexpr const char* kFiltering = "Фильтрация комбинаций...";
inline constexpr const char* kNoGridValues = "В выделенном диапазоне нет значений для фильтра!";
inline constexpr const char* kUndoLastOperation = "Отмена последней операции";
inline constexpr const char* kFilterDefinitionApplying = "Применение фильтра %s...";
inline constexpr const char* kOperationStopped = "Операция прервана пользователем!";

// Statistics table and prefetch caches
inline constexpr const char* kStatCalculating = "Анализ тиражей и расчет статистики...";
inline constexpr const char* kPrefetchCreating = "Создание файла предварительной выборки %s...";
inline constexpr const char* kPrefetchCreateError =
    "Ошибка создания файла данных для полного набора вариантов!\r\rИмя файла: %s";
inline constexpr const char* kPrefetchOpenError =
    "Ошибка открытия файла данных для полного набора вариантов!\r\rИмя файла: %s";
inline constexpr const char* kPrefetchBuilding = "Создание файлов для полного набора комбинаций...";
inline constexpr const char* kMissingMethod = "Метод расчета статистики не найден: %s";

// Ini files
inline constexpr const char* kIniLineError = "%s, строка %d: %s";

// Settings files and the settings dialogs
inline constexpr const char* kConfigLoading = "Загрузка файла конфигурации...";
inline constexpr const char* kConfigSaving = "Сохранение файла конфигурации...";
inline constexpr const char* kConfigReadError = "Ошибка чтения файла конфигурации!";
inline constexpr const char* kConfigWriteError = "Ошибка записи в файл конфигурации!";
inline constexpr const char* kViewSettingsLoadError = "Ошибка загрузки параметров программы!";
inline constexpr const char* kViewSettingsSaveError = "Ошибка сохранения параметров программы!";
inline constexpr const char* kStartupError = "Ошибка инициализации программы!";
inline constexpr const char* kBadSegmentValue = "Некорректное значение: %s!\r\rУкажите любое число от 1 до 9";
inline constexpr const char* kValueOutOfRange =
    "Некорректное значение поля \"%0:s\": %1:s!\r\rУкажите любое число от %2:d до %3:d";
inline constexpr const char* kBadFieldValue = "Некорректное значение поля \"%0:s\": %1:s!";
inline constexpr const char* kUnstorableValue =
    "Значение поля \"%s\" содержит символы, которые нельзя сохранить в файле конфигурации "
    "(перевод строки или символ вне кодовой страницы 1251)";
inline constexpr const char* kFormulaError = "Формула %0:d: %1:s";
inline constexpr const char* kBracketMissing = "Не хватает скобочки";
inline constexpr const char* kSyntaxError = "Синтаксическая ошибка";
inline constexpr const char* kFieldMatrixCols = "Размер матрицы";
inline constexpr const char* kFieldChannelSize = "Размер канала";
inline constexpr const char* kFieldCost = "Стоимость ставки";
inline constexpr const char* kFieldMaxStake = "Расширенная ставка";
inline constexpr const char* kFieldOverlap = "Совпадений";
inline constexpr const char* kFieldProfit = "Сумма выигрыша";
inline constexpr const char* kFieldFormula = "Формула %d";
inline constexpr const char* kFieldFormulaDigits = "Количество знаков после запятой (формула %d)";
inline constexpr const char* kFieldProxyServer = "Имя или адрес сервера";
inline constexpr const char* kFieldProxyPort = "Порт";
inline constexpr const char* kFieldProxyUsername = "Имя пользователя";
inline constexpr const char* kFieldProxyPassword = "Пароль";

// Combination list
inline constexpr const char* kCombsGenerateModes[] = {
    "Полный список (все возможные для данного лото варианты)",
    "Мои числа - должно присутствовать любое из указанных",
    "Мои числа - комбинации только из списка указанных",
    "Мои числа - исключить комбинации с любым из указанных",
    "Загрузить список из заранее подготовленного CSV-файла"};
inline constexpr const char* kCombsGenerating = "Генерация возможных комбинаций...";
inline constexpr const char* kCombsGenerateError = "Ошибка генерации файла комбинаций!";
inline constexpr const char* kCombsTooMany =
    "Слишком много комбинаций: %.0n, а список вмещает не более %.0n. Список комбинаций не изменен!";
inline constexpr const char* kCombsSavingUndo = "Создание файла отката...";
inline constexpr const char* kCombsUndoing = "Отмена изменений...";
inline constexpr const char* kCombsExcluding = "Удаление из списка комбинаций %d последних тиражей...";
inline constexpr const char* kCombsExcludingProgress =
    "Удаление из списка комбинаций %d последних тиражей ( завершено %.0f %% )...";
inline constexpr const char* kCombsDeletingSelected = "Удаление выделенных комбинаций...";
inline constexpr const char* kCombsFilterLastDraws = "Последние тиражи";
inline constexpr const char* kCombsFilterSelected = "Выделенные комбинации";
inline constexpr const char* kCombsFileFilter = "Файлы комбинаций (*.lcv)|*.lcv";
inline constexpr const char* kCombsFileLoading = "Загрузка файла \"%s\"...";
inline constexpr const char* kCombsFileSaving = "Сохранение файла \"%s\"...";
inline constexpr const char* kCombsFileReadError = "Ошибка чтения файла \"%s\"!";
inline constexpr const char* kCombsFileWriteError = "Ошибка записи в файл \"%s\"!";
inline constexpr const char* kCombsBufferSaving = "Создание буфера комбинаций...";
inline constexpr const char* kCombsBufferSavingProgress = "Создание буфера комбинаций ( завершено %.0f %% )...";
inline constexpr const char* kCombsBufferSaveError = "Ошибка создания буфера комбинаций!";
inline constexpr const char* kCombsBufferLoading = "Загрузка буфера комбинаций...";
inline constexpr const char* kCombsBufferLoadingProgress = "Загрузка буфера комбинаций ( завершено %.0f %% )...";
inline constexpr const char* kCombsBufferLoadError = "Ошибка загрузки буфера комбинаций!";
inline constexpr const char* kCombsBufferDamaged =
    "Файл буфера комбинаций поврежден: его размер (%d байт) не кратен размеру записи (6 байт)";
inline constexpr const char* kCombsCount = "Комбинаций: %d";
inline constexpr const char* kCombsBadLine = "Некорректная комбинация: \"%s\"!";
inline constexpr const char* kCombsPasteEmpty =
    "Вставляемый текст не содержит ни одной комбинации!";
inline constexpr const char* kCombsUniqueNumbers = "В текущем списке комбинаций содержится %d уникальных номеров";
inline constexpr const char* kCombsSearchingArchive = "Поиск по архиву тиражей...";
inline constexpr const char* kCombsFoundInDraws = "Выделенная комбинация найдена в следующих тиражах:";
inline constexpr const char* kCombsFoundDraw = "Тираж № %d от %s, значения: %s";
inline constexpr const char* kCombsNotFoundInDraws = "Выделенная комбинация не найдена архиве тиражей!";

}  // namespace corvel::texts
