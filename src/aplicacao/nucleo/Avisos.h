#pragma once
// The warnings given before and during a run, the same in the window and in
// the batch runner.

namespace avisos {

inline constexpr const char16_t* CaminhoDestinoVazio = u"O caminho do banco de dados está vazio!";
inline constexpr const char16_t* CaminhoOrigemVazio = u"O caminho do banco de dados de origem está vazio!";
inline constexpr const char16_t* SemConexao =
    u"Não foi possível se conectar ao Banco de Dados! Verifique sua conexão ou se o arquivo selecionado é válido! ";

// Shown by the progress label while a run waits on a row another session holds.
inline constexpr const char16_t* AguardandoBloqueio = u"aguardando um registro bloqueado por outra sessão...";

}  // namespace avisos
