#pragma once
// Throws "Некорректный шаг фильтра" on a bad step: a comment quoting a text.
