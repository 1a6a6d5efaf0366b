#include "common/registra_erro.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <mutex>
#include <system_error>

#include "common/texto.h"

namespace lumbrava {

namespace {

constexpr std::size_t kLimiteParte = 600;

struct Identidade {
  std::mutex trava;
  std::filesystem::path pasta;
  std::string nome;
  bool iniciada = false;
};

Identidade& Id() {
  static Identidade id;
  return id;
}

void IniciaIdentidade(Identidade& id) {
  if (id.iniciada) {
    return;
  }
  id.iniciada = true;
  std::error_code erro;
  const auto exe = std::filesystem::read_symlink("/proc/self/exe", erro);
  if (!erro) {
    id.pasta = exe.parent_path();
    id.nome = exe.stem().string();
  } else {
    id.pasta = std::filesystem::current_path(erro);
    id.nome = "lumbrava";
  }
}

std::string Corta(std::string_view parte) { return std::string(Subtexto(parte, 0, kLimiteParte)); }

std::string Dois(int n) {
  char b[8];
  std::snprintf(b, sizeof b, "%02d", n % 100);
  return b;
}

}  // namespace

std::filesystem::path PastaPrograma() {
  Identidade& id = Id();
  const std::lock_guard<std::mutex> trava(id.trava);
  IniciaIdentidade(id);
  return id.pasta;
}

void DefinePastaPrograma(const std::filesystem::path& pasta) {
  Identidade& id = Id();
  const std::lock_guard<std::mutex> trava(id.trava);
  IniciaIdentidade(id);
  id.pasta = pasta;
}

std::string NomePrograma() {
  Identidade& id = Id();
  const std::lock_guard<std::mutex> trava(id.trava);
  IniciaIdentidade(id);
  return id.nome;
}

void DefineNomePrograma(std::string_view nome) {
  Identidade& id = Id();
  const std::lock_guard<std::mutex> trava(id.trava);
  IniciaIdentidade(id);
  id.nome = std::string(nome);
}

std::string NomeArquivoErros(int dia, int mes, int ano) {
  return Dois(dia) + Dois(mes) + Dois(ano) + ".EXP";
}

void RegistraErro(std::string_view mensagem, std::string_view texto1, std::string_view texto2,
                  std::string_view texto3, std::string_view texto4, const ErroPendente& erro) {
  try {
    const std::time_t agora =
        std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm local{};
    localtime_r(&agora, &local);
    const std::string data = Dois(local.tm_mday) + "/" + Dois(local.tm_mon + 1) + "/" +
                             Dois(local.tm_year + 1900) + " " + Dois(local.tm_hour) + ":" +
                             Dois(local.tm_min) + ":" + Dois(local.tm_sec);

    std::string primeira = "\"" + data + ":" + Corta(mensagem);
    for (const std::string_view t : {texto1, texto2, texto3, texto4}) {
      primeira += "," + Corta(t);
    }
    primeira += "'\"";
    const std::string segunda = "\"" + Corta(NomePrograma()) + " Error # " +
                                std::to_string(erro.numero) + " " + Corta(erro.descricao) + "\"";

    const auto arquivo =
        PastaPrograma() / NomeArquivoErros(local.tm_mday, local.tm_mon + 1, local.tm_year + 1900);
    std::ofstream saida(arquivo, std::ios::app | std::ios::binary);
    saida << primeira << "\r\n" << segunda << "\r\n";
  } catch (...) {
    // The log is the last resort: a failure to write it goes nowhere.
  }
}

}  // namespace lumbrava
