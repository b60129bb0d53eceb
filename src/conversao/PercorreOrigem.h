#pragma once
// The loop that the three source readers share: learn the row count for the
// gauge (counted by the server; the rows are then read one way, in constant
// memory), then for every row show "Convertendo <entidade> - Registro n de N",
// let the window process its events, convert the row and advance the gauge;
// at the end clear the label and reset the gauge. An error leaves at once,
// with the label keeping its last text. Each row is told to the run's report
// with its number and the value of campoCodigo, its code.
#include <functional>
#include <string>

#include "banco/IBQuery.h"
#include "comum/Progresso.h"

void PercorreOrigem(TIBQuery& qryBusca, const std::u16string& entidade, const std::u16string& campoCodigo,
                    ui::TGauge& Barra, ui::TLabel& lblInfo, const std::function<void()>& ConverteLinha);
