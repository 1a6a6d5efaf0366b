#include "common/registra_erro.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <ctime>
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
  std::optional<std::filesystem::path> pastaDosRegistros;  // chosen by the program
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

// Creates the folders of `pasta` that are missing, open to their owner only.
bool CriaPasta(const std::filesystem::path& pasta) {
  std::error_code erro;
  if (std::filesystem::is_directory(pasta, erro)) {
    return true;
  }
  std::filesystem::path parcial;
  for (const auto& parte : pasta) {
    parcial /= parte;
    if (::mkdir(parcial.c_str(), 0700) != 0 && errno != EEXIST) {
      return false;
    }
  }
  return std::filesystem::is_directory(pasta, erro);
}

bool GravaTudo(int fd, std::string_view texto) {
  while (!texto.empty()) {
    const ssize_t n = ::write(fd, texto.data(), texto.size());
    if (n < 0 && errno == EINTR) {
      continue;
    }
    if (n <= 0) {
      return false;
    }
    texto.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
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

std::filesystem::path PastaDosRegistros() {
  Identidade& id = Id();
  const std::lock_guard<std::mutex> trava(id.trava);
  IniciaIdentidade(id);
  return id.pastaDosRegistros.value_or(id.pasta);
}

void DefinePastaDosRegistros(std::optional<std::filesystem::path> pasta) {
  Identidade& id = Id();
  const std::lock_guard<std::mutex> trava(id.trava);
  IniciaIdentidade(id);
  id.pastaDosRegistros = std::move(pasta);
}

bool AnexaAoRegistro(std::string_view nome, std::string_view texto) {
  try {
    std::filesystem::path pasta;
    bool escolhida = false;
    {
      Identidade& id = Id();
      const std::lock_guard<std::mutex> trava(id.trava);
      IniciaIdentidade(id);
      escolhida = id.pastaDosRegistros.has_value();
      pasta = id.pastaDosRegistros.value_or(id.pasta);
    }
    if (pasta.empty() || (escolhida && !CriaPasta(pasta))) {
      return false;
    }
    // A link at the log's name is not followed (someone could point it at another file), and a
    // FIFO there does not hold the program up.
    const std::filesystem::path arquivo = pasta / std::string(nome);
    const int fd = ::open(
        arquivo.c_str(),
        O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_NOCTTY | O_NONBLOCK | O_CLOEXEC, 0600);
    if (fd < 0) {
      return false;
    }
    struct stat st {};
    const bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && GravaTudo(fd, texto);
    ::close(fd);
    return ok;
  } catch (...) {
    return false;
  }
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

    AnexaAoRegistro(NomeArquivoErros(local.tm_mday, local.tm_mon + 1, local.tm_year + 1900),
                    primeira + "\r\n" + segunda + "\r\n");
  } catch (...) {
    // The log is the last resort: a failure to write it goes nowhere.
  }
}

}  // namespace lumbrava
