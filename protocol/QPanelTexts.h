#pragma once
// The control panel's texts that the rehearsal runner reads from outside to follow the
// demonstration.

// The button.
inline constexpr char NextCaption[] = "Далее";
inline constexpr char LastCaption[] = "Выход"; // the last step: the press ends the demonstration
inline constexpr char SkipCaption[] = "Пропустить"; // passes over the lost stations

// The state label.
inline constexpr char LoadingText[] = "Идет загрузка"; // until the first wait
inline constexpr char ReadyText[] = "Готово";
// Followed by the awaited stations' names, joined by commas without blanks.
inline constexpr char WaitingPrefix[] = "жду ";

// The comment box, for a step without a comment of its own.
inline constexpr char NoCommentText[] = "Комментарий к этому шагу отсутствует. Просто посмотрите "
                                        "на программу и нажмите кнопку \"Далее\".";
