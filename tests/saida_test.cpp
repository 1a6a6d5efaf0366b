// Where the tool's output goes (-o), what it does to the files it finds there, and how the exit
// status reports output that could not be written. The tool runs as a separate process (in the
// test's own where its sync is made to fail).
#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "tests/ferramenta.h"
#include "tool/linhas.h"

namespace lumbrava {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

struct Opcoes {
  std::string entrada;
  const char* saida = nullptr;  // a file for standard output instead of capturing it
  int descritorDaSaida = -1;    // or a descriptor the test holds (opened in append mode, a pipe)
  int descritorDosErros = -1;   // the same for standard error
  bool saidaFechada = false;
  rlim_t limiteDeArquivo = RLIM_INFINITY;  // the largest file the tool may write
  bool semPrivilegios = false;             // as a user who cannot override permissions
  mode_t mascara = 022;
};

constexpr uid_t kNinguem = 65534;
// The record that the row "Valor\n1" gives in Unico's entry layout (196 columns).
const std::string kRegistro = std::string(20, ' ') + std::string(28, '0') + "00000000000100" +
                              std::string(118, ' ') + std::string(16, '0');

// The tool started by hand: its streams, the user it runs as, its umask. Resultado::codigo is the
// exit status, or 128 + the signal that ended the process.
class SaidaTest : public teste::Ferramenta {
 protected:
  using Resultado = teste::Resultado;

  // The names in the folder, apart from the files that capture the tool's streams.
  std::set<std::string> Nomes(const fs::path& onde) const {
    std::set<std::string> nomes;
    for (const auto& e : fs::directory_iterator(onde)) {
      nomes.insert(e.path().filename().string());
    }
    for (const char* n : {".stdin", ".stdout", ".stderr"}) {
      nomes.erase(n);
    }
    return nomes;
  }

  // A copy of the tool that any user can reach: the build folder may lie in a folder that only
  // its owner may enter.
  static std::string FerramentaParaTodos() {
    static const std::string caminho = [] {
      const fs::path pastaDaCopia =
          fs::temp_directory_path() / ("lumbrava-ferramenta-" + std::to_string(::getpid()));
      fs::create_directories(pastaDaCopia);
      fs::permissions(pastaDaCopia, fs::perms::owner_all | fs::perms::group_read |
                                        fs::perms::group_exec | fs::perms::others_read |
                                        fs::perms::others_exec);
      const fs::path copia = pastaDaCopia / "lumbrava-layouts";
      fs::copy_file(LUMBRAVA_TOOL, copia, fs::copy_options::overwrite_existing);
      fs::permissions(copia, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                 fs::perms::others_read | fs::perms::others_exec);
      std::atexit([] {
        std::error_code e;
        fs::remove_all(
            fs::temp_directory_path() / ("lumbrava-ferramenta-" + std::to_string(::getpid())), e);
      });
      return copia.string();
    }();
    return caminho;
  }

  // Starts the tool in the test's folder; -1 is a stream left closed.
  pid_t Inicia(const std::vector<std::string>& argumentos, int entrada, int saida, int erros,
               const Opcoes& o) {
    std::vector<std::string> args{o.semPrivilegios ? FerramentaParaTodos()
                                                   : std::string(LUMBRAVA_TOOL)};
    args.insert(args.end(), argumentos.begin(), argumentos.end());
    std::vector<char*> argv;
    for (auto& a : args) {
      argv.push_back(a.data());
    }
    argv.push_back(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
      const int fds[] = {entrada, saida, erros};
      for (int i = 0; i < 3; ++i) {
        if (fds[i] < 0) {
          ::close(i);
        } else if (fds[i] != i) {
          ::dup2(fds[i], i);
        }
      }
      for (int s = 1; s < NSIG; ++s) {
        ::signal(s, SIG_DFL);
      }
      const struct rlimit semCore { 0, 0 };
      const struct rlimit tamanho { o.limiteDeArquivo, o.limiteDeArquivo };
      ::setrlimit(RLIMIT_CORE, &semCore);
      ::setrlimit(RLIMIT_FSIZE, &tamanho);
      ::umask(o.mascara);
      if (o.semPrivilegios && ::geteuid() == 0 &&
          (::setgroups(0, nullptr) != 0 || ::setgid(kNinguem) != 0 || ::setuid(kNinguem) != 0)) {
        ::_exit(125);
      }
      if (::chdir(pasta.c_str()) == 0) {
        ::execv(argv[0], argv.data());
      }
      ::_exit(127);
    }
    return pid;
  }

  // Waits for the tool, killing it when it hangs.
  static int Espera(pid_t pid, std::chrono::seconds limite = 60s) {
    const auto fim = std::chrono::steady_clock::now() + limite;
    int status = 0;
    while (::waitpid(pid, &status, WNOHANG) == 0) {
      if (std::chrono::steady_clock::now() > fim) {
        ::kill(pid, SIGKILL);
        ::waitpid(pid, &status, 0);
        ADD_FAILURE() << "the tool did not end";
        return -1;
      }
      std::this_thread::sleep_for(5ms);
    }
    return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status);
  }

  Resultado Roda(const std::vector<std::string>& argumentos, const Opcoes& o = {}) {
    Arquivo(".stdin", o.entrada);
    const auto abre = [this](const char* nome, int modo) {
      return ::open((pasta / nome).c_str(), modo | O_CLOEXEC, 0644);
    };
    const int entrada = abre(".stdin", O_RDONLY);
    const bool capturaSaida = o.saida == nullptr && o.descritorDaSaida < 0;
    const int saida = o.saidaFechada            ? -1
                      : o.saida != nullptr      ? ::open(o.saida, O_WRONLY | O_CLOEXEC)
                      : o.descritorDaSaida >= 0 ? ::fcntl(o.descritorDaSaida, F_DUPFD_CLOEXEC, 3)
                                                : abre(".stdout", O_WRONLY | O_CREAT | O_TRUNC);
    const int erros = o.descritorDosErros >= 0 ? ::fcntl(o.descritorDosErros, F_DUPFD_CLOEXEC, 3)
                                               : abre(".stderr", O_WRONLY | O_CREAT | O_TRUNC);
    const pid_t pid = Inicia(argumentos, entrada, saida, erros, o);
    for (int fd : {entrada, saida, erros}) {
      if (fd >= 0) {
        ::close(fd);
      }
    }
    const int codigo = Espera(pid);
    return {codigo, capturaSaida ? Le(pasta / ".stdout") : "",
            o.descritorDosErros < 0 ? Le(pasta / ".stderr") : ""};
  }
};

TEST_F(SaidaTest, LinksPlantedWhereTheTemporaryFileCouldGoAreLeftAlone) {
  const fs::path vitima = Arquivo("vitima", "intocada\n");
  Arquivo("e.csv", "Valor\n1\n");
  Arquivo("ruim.csv", "Valor\nabc\n");
  // Links under the names that a predictable temporary file would take, for the next pids.
  const pid_t agora = Inicia({"--version"}, -1, -1, -1, {});
  Espera(agora);
  std::set<std::string> plantados;
  for (pid_t p = agora; p < agora + 400; ++p) {
    for (const char* alvo : {"saida.txt", "falha.txt"}) {
      const std::string nome = std::string(".") + alvo + ".tmp-" + std::to_string(p);
      fs::create_symlink("vitima", pasta / nome);
      plantados.insert(nome);
    }
  }
  fs::create_symlink("vitima", pasta / "ligacao-qualquer");
  plantados.insert("ligacao-qualquer");

  auto r = Roda({"write", "Unico", "lancamentos", "e.csv", "-o", "saida.txt"});
  EXPECT_EQ(r.codigo, 0) << r.erros;
  EXPECT_EQ(Le(pasta / "saida.txt"), kRegistro + "\r\n");
  r = Roda({"write", "Unico", "lancamentos", "ruim.csv", "-o", "falha.txt"});
  EXPECT_EQ(r.codigo, 1);
  EXPECT_FALSE(fs::exists(pasta / "falha.txt"));

  EXPECT_EQ(Le(vitima), "intocada\n");
  for (const std::string& nome : plantados) {
    ASSERT_TRUE(fs::is_symlink(pasta / nome)) << nome;
    EXPECT_EQ(fs::read_symlink(pasta / nome), "vitima");
  }
  auto nomes = Nomes(pasta);
  for (const std::string& n : plantados) {
    nomes.erase(n);
  }
  EXPECT_EQ(nomes, (std::set<std::string>{"vitima", "e.csv", "ruim.csv", "saida.txt"}));
}

TEST_F(SaidaTest, ALinkIsFollowedAndTheFileItNamesIsReplaced) {
  Arquivo("e.csv", "Valor\n1\n");
  fs::create_directories(pasta / "sub");
  Arquivo("sub/real.txt", "antigo\n");
  fs::create_symlink("sub/../sub/real.txt", pasta / "meio");
  fs::create_symlink("meio", pasta / "ligacao");        // a chain of relative links
  fs::create_symlink("sub/nova.txt", pasta / "solta");  // names a file that does not exist yet
  for (const char* destino : {"ligacao", "solta"}) {
    const auto r = Roda({"write", "Unico", "lancamentos", "e.csv", "-o", destino});
    EXPECT_EQ(r.codigo, 0) << destino << r.erros;
    EXPECT_TRUE(fs::is_symlink(pasta / destino)) << destino;
  }
  EXPECT_EQ(Le(pasta / "sub/real.txt"), kRegistro + "\r\n");
  EXPECT_EQ(Le(pasta / "sub/nova.txt"), kRegistro + "\r\n");
  EXPECT_EQ(Nomes(pasta / "sub"), (std::set<std::string>{"real.txt", "nova.txt"}));
  // A link to a folder is a folder: ".." after it leads where the kernel's would, above the
  // folder it names.
  fs::create_directories(pasta / "sub/funda");
  fs::create_symlink("sub/funda", pasta / "atalho");
  auto r = Roda({"write", "Unico", "lancamentos", "e.csv", "-o", "atalho/../acima.txt"});
  EXPECT_EQ(r.codigo, 0) << r.erros;
  EXPECT_EQ(Le(pasta / "sub/acima.txt"), kRegistro + "\r\n");
  EXPECT_FALSE(fs::exists(pasta / "acima.txt"));

  // In a folder that everyone writes to, a link that someone else left is not followed, whatever
  // part of the path it is.
  if (::geteuid() != 0) {
    return;
  }
  const fs::path publica = pasta / "publica";
  fs::create_directories(publica);
  fs::permissions(publica, fs::perms::all | fs::perms::sticky_bit);
  const fs::path vitima = Arquivo("vitima", "intocada\n");
  fs::create_symlink(vitima, publica / "armadilha");
  ASSERT_EQ(::lchown((publica / "armadilha").c_str(), kNinguem, kNinguem), 0);
  r = Roda({"write", "Unico", "lancamentos", "e.csv", "-o", "publica/armadilha"});
  EXPECT_EQ(r.codigo, 1);
  EXPECT_NE(r.erros.find("não foi possível gravar 'publica/armadilha'"), std::string::npos);
  EXPECT_EQ(Le(vitima), "intocada\n");
  const fs::path protegida = pasta / "protegida";
  fs::create_directories(protegida);
  fs::create_symlink(protegida, publica / "desvio");
  ASSERT_EQ(::lchown((publica / "desvio").c_str(), kNinguem, kNinguem), 0);
  fs::create_symlink("publica/desvio", pasta / "caminho");  // an ordinary link on the way to it
  for (const char* nome : {"publica/desvio/x.csv", "caminho/x.csv", "publica/desvio/../x.csv"}) {
    r = Roda({"write", "Unico", "lancamentos", "e.csv", "-o", nome});
    EXPECT_EQ(r.codigo, 1) << nome;
    EXPECT_NE(r.erros.find("não foi possível gravar '" + std::string(nome) + "'"),
              std::string::npos)
        << r.erros;
  }
  EXPECT_TRUE(fs::is_empty(protegida));
  EXPECT_FALSE(fs::exists(pasta / "x.csv"));
  // The user's own link there is followed.
  fs::create_symlink(protegida, publica / "minha");
  r = Roda({"write", "Unico", "lancamentos", "e.csv", "-o", "publica/minha/x.csv"});
  EXPECT_EQ(r.codigo, 0) << r.erros;
  EXPECT_EQ(Le(protegida / "x.csv"), kRegistro + "\r\n");
  EXPECT_EQ(Nomes(publica), (std::set<std::string>{"armadilha", "desvio", "minha"}));
}

// In a folder where everyone, or a group, writes and only owners remove files (/tmp), a file or a
// FIFO that another user left under the name is not written, even by root; the user's own and the
// folder owner's are, and a user who is not root creates a new one there.
TEST_F(SaidaTest, AnotherUsersFileOrFifoInASharedFolderIsRefused) {
  if (::geteuid() != 0) {
    GTEST_SKIP() << "files are given to another user";
  }
  Arquivo("e.csv", "Valor\n1\n");
  for (const char* pastaComum : {"publica", "do-grupo"}) {
    const fs::path comum = pasta / pastaComum;
    fs::create_directories(comum);
    ASSERT_EQ(::chmod(comum.c_str(), pastaComum == std::string("publica") ? 01777 : 01775), 0);
    const fs::path alheio = Arquivo(std::string(pastaComum) + "/alheio.csv", "dele\n");
    ASSERT_EQ(::mkfifo((comum / "fila").c_str(), 0666), 0);
    // Opened by a reader, so that a FIFO written by mistake does not keep the tool waiting.
    const int leitor = ::open((comum / "fila").c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    for (const char* nome : {"alheio.csv", "fila"}) {
      ASSERT_EQ(::lchown((comum / nome).c_str(), kNinguem, kNinguem), 0);
      const std::string alvo = std::string(pastaComum) + "/" + nome;
      const auto r = Roda({"write", "Unico", "lancamentos", "e.csv", "-o", alvo});
      EXPECT_EQ(r.codigo, 1) << alvo;
      EXPECT_EQ(r.erros, "não foi possível gravar '" + alvo + "': " + std::strerror(EACCES) + "\n");
    }
    char lido[16];
    EXPECT_LE(::read(leitor, lido, sizeof lido), 0);
    ::close(leitor);
    EXPECT_EQ(Le(alheio), "dele\n");
    EXPECT_EQ(Nomes(comum), (std::set<std::string>{"alheio.csv", "fila"}));
  }

  const fs::path publica = pasta / "publica";
  const fs::path alheio = publica / "alheio.csv";
  Arquivo("publica/meu.csv", "meu\n");
  auto r = Roda({"write", "Unico", "lancamentos", "e.csv", "-o", "publica/meu.csv"});
  EXPECT_EQ(r.codigo, 0) << r.erros;
  EXPECT_EQ(Le(publica / "meu.csv"), kRegistro + "\r\n");
  fs::permissions(pasta, fs::perms::all);
  Opcoes o;
  o.semPrivilegios = true;
  r = Roda({"write", "Unico", "lancamentos", "e.csv", "-o", "publica/novo.csv"}, o);
  ASSERT_NE(r.codigo, 125) << "could not run as another user";
  EXPECT_EQ(r.codigo, 0) << r.erros;
  EXPECT_EQ(Le(publica / "novo.csv"), kRegistro + "\r\n");
  ASSERT_EQ(::chown(publica.c_str(), kNinguem, kNinguem), 0);
  r = Roda({"write", "Unico", "lancamentos", "e.csv", "-o", "publica/alheio.csv"});
  EXPECT_EQ(r.codigo, 0) << r.erros;
  EXPECT_EQ(Le(alheio), kRegistro + "\r\n");
  struct stat st {};
  ::stat(alheio.c_str(), &st);
  EXPECT_EQ(st.st_uid, kNinguem);
}

TEST_F(SaidaTest, PermissionsOfTheTargetAreKeptAndRespected) {
  Arquivo("e.csv", "Valor\n1\n");
  const auto modo = [this](const char* nome) {
    struct stat st {};
    ::stat((pasta / nome).c_str(), &st);
    return st.st_mode & 07777;
  };
  Arquivo("existente.txt", "x");
  ::chmod((pasta / "existente.txt").c_str(), 0640);
  Opcoes o;
  o.mascara = 077;
  for (const char* nome : {"existente.txt", "novo.txt"}) {
    EXPECT_EQ(Roda({"write", "Unico", "lancamentos", "e.csv", "-o", nome}, o).codigo, 0) << nome;
  }
  EXPECT_EQ(modo("existente.txt"), 0640U);  // the umask does not touch an existing file
  EXPECT_EQ(modo("novo.txt"), 0600U);
  o.mascara = 022;
  EXPECT_EQ(Roda({"write", "Unico", "lancamentos", "e.csv", "-o", "outro.txt"}, o).codigo, 0);
  EXPECT_EQ(modo("outro.txt"), 0644U);

  // A file the user may not write, and a folder where they cannot create one, are refused.
  fs::permissions(pasta, fs::perms::all);
  Arquivo("somente-leitura.txt", "protegido");
  ::chmod((pasta / "somente-leitura.txt").c_str(), 0444);
  fs::create_directories(pasta / "fechada");
  Arquivo("fechada/aberto.txt", "livre");
  ::chmod((pasta / "fechada/aberto.txt").c_str(), 0666);
  ::chmod((pasta / "fechada").c_str(), 0555);
  o.semPrivilegios = true;
  auto r = Roda({"write", "Unico", "lancamentos", "e.csv", "-o", "somente-leitura.txt"}, o);
  ASSERT_NE(r.codigo, 125) << "could not run as another user";
  EXPECT_EQ(r.codigo, 1);
  EXPECT_NE(r.erros.find("não foi possível gravar 'somente-leitura.txt'"), std::string::npos)
      << r.erros;
  EXPECT_EQ(Le(pasta / "somente-leitura.txt"), "protegido");
  EXPECT_EQ(modo("somente-leitura.txt"), 0444U);
  r = Roda({"write", "Unico", "lancamentos", "e.csv", "-o", "fechada/aberto.txt"}, o);
  EXPECT_EQ(r.codigo, 1);
  EXPECT_NE(r.erros.find("a pasta 'fechada'"), std::string::npos) << r.erros;
  EXPECT_EQ(Le(pasta / "fechada/aberto.txt"), "livre");
  ::chmod((pasta / "fechada").c_str(), 0755);
}

// A file name is shown with its control characters escaped, and cut when it is long.
TEST_F(SaidaTest, FileNamesInMessagesAreEscapedAndCut) {
  Arquivo("e.csv", "Valor\n1\n");
  auto r = Roda({"read", "Unico", "lancamentos", "n\x1b[2J\xff.txt"});
  EXPECT_EQ(r.codigo, 1);
  EXPECT_EQ(r.erros.rfind("não foi possível abrir 'n\\x1b[2J\\xff.txt': ", 0), 0U) << r.erros;
  std::string longo = "sem\npasta/";
  for (int i = 0; i < 300; ++i) {
    longo += "á";
  }
  r = Roda({"write", "Unico", "lancamentos", "e.csv", "-o", longo});
  EXPECT_EQ(r.codigo, 1);
  EXPECT_EQ(r.erros.rfind("não foi possível gravar 'sem\\npasta/" + longo.substr(10, 2 * 190) +
                              "... (310 caracteres)': ",
                          0),
            0U)
      << r.erros;
  fs::permissions(pasta, fs::perms::all);
  fs::create_directories(pasta / "fe\x7f");
  ::chmod((pasta / "fe\x7f").c_str(), 0555);
  Opcoes o;
  o.semPrivilegios = true;
  r = Roda({"write", "Unico", "lancamentos", "e.csv", "-o", "fe\x7f/x\t.csv"}, o);
  ASSERT_NE(r.codigo, 125) << "could not run as another user";
  EXPECT_EQ(r.codigo, 1);
  EXPECT_NE(r.erros.find("gravar 'fe\\x7f/x\\t.csv': a pasta 'fe\\x7f' não aceita"),
            std::string::npos)
      << r.erros;
}

TEST_F(SaidaTest, DevicesAndFifosAreWrittenInPlace) {
  Arquivo("e.csv", "Valor\n1\n");
  fs::create_symlink("/dev/null", pasta / "nulo");
  std::vector<std::string> nomes{"nulo"};
  if (::geteuid() == 0 &&
      ::mknod((pasta / "copia-nulo").c_str(), S_IFCHR | 0666, ::makedev(1, 3)) == 0) {
    nomes.push_back("copia-nulo");
  }
  for (const std::string& nome : nomes) {
    const auto r = Roda({"write", "Unico", "lancamentos", "e.csv", "-o", nome});
    EXPECT_EQ(r.codigo, 0) << nome << r.erros;
    EXPECT_TRUE(fs::is_character_file(pasta / nome)) << nome;
  }
  EXPECT_TRUE(fs::is_character_file("/dev/null"));

  // A FIFO is opened by the reader beforehand, so that neither side waits.
  ASSERT_EQ(::mkfifo((pasta / "fila").c_str(), 0600), 0);
  const int leitor = ::open((pasta / "fila").c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  ASSERT_GE(leitor, 0);
  Arquivo("meio.csv", "Valor\n1\nabc\n2\n");
  const auto r = Roda({"write", "Unico", "lancamentos", "meio.csv", "-o", "fila"});
  std::string lido(4096, '\0');
  const ssize_t n = ::read(leitor, lido.data(), lido.size());
  ::close(leitor);
  EXPECT_EQ(r.codigo, 1);
  ASSERT_GT(n, 0);
  EXPECT_EQ(lido.substr(0, static_cast<std::size_t>(n)), kRegistro + "\r\n");  // up to the error
  EXPECT_NE(r.erros.find("nada foi escrito depois da primeira"), std::string::npos) << r.erros;
  EXPECT_EQ(fs::status(pasta / "fila").type(), fs::file_type::fifo);
}

// The names of the program's own streams are written in place, as "-" is: a file that standard
// output was opened on to append keeps what it had, and a pipe gets the records.
TEST_F(SaidaTest, NamesOfOpenStreamsAreWrittenInPlace) {
  Arquivo("e.csv", "Valor\n1\n");
  fs::create_symlink("/dev/stdout", pasta / "padrao");
  const fs::path acumulado = pasta / "acumulado.csv";
  for (const char* nome : {"/dev/stdout", "/dev/fd/1", "/proc/self/fd/1", "padrao"}) {
    Arquivo("acumulado.csv", "antes\n");
    struct stat antes {};
    ::stat(acumulado.c_str(), &antes);
    Opcoes o;
    o.descritorDaSaida = ::open(acumulado.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
    const auto r = Roda({"write", "Unico", "lancamentos", "e.csv", "-o", nome}, o);
    ::close(o.descritorDaSaida);
    EXPECT_EQ(r.codigo, 0) << nome << r.erros;
    EXPECT_EQ(Le(acumulado), "antes\n" + kRegistro + "\r\n") << nome;
    struct stat depois {};
    ::stat(acumulado.c_str(), &depois);
    EXPECT_EQ(depois.st_ino, antes.st_ino) << nome;
    EXPECT_EQ(Nomes(pasta), (std::set<std::string>{"e.csv", "padrao", "acumulado.csv"})) << nome;
  }

  int tubo[2];
  ASSERT_EQ(::pipe2(tubo, O_CLOEXEC), 0);
  Opcoes o;
  o.descritorDaSaida = tubo[1];
  auto r = Roda({"write", "Unico", "lancamentos", "e.csv", "-o", "/dev/stdout"}, o);
  ::close(tubo[1]);
  std::string lido(4096, '\0');
  const ssize_t n = ::read(tubo[0], lido.data(), lido.size());
  ::close(tubo[0]);
  EXPECT_EQ(r.codigo, 0) << r.erros;
  ASSERT_GT(n, 0);
  EXPECT_EQ(lido.substr(0, static_cast<std::size_t>(n)), kRegistro + "\r\n");
  r = Roda({"write", "Unico", "lancamentos", "e.csv", "-o", "/dev/stderr"});
  EXPECT_EQ(r.codigo, 0) << r.erros;
  EXPECT_EQ(r.erros, kRegistro + "\r\n");

  // A stream that is not open, or open only to be read, is refused.
  for (const char* nome : {"/dev/fd/9", "/dev/stdin"}) {
    r = Roda({"write", "Unico", "lancamentos", "e.csv", "-o", nome});
    EXPECT_EQ(r.codigo, 1) << nome;
    EXPECT_NE(r.erros.find("não foi possível gravar '" + std::string(nome) + "'"),
              std::string::npos)
        << r.erros;
  }
  EXPECT_EQ(Nomes(pasta), (std::set<std::string>{"e.csv", "padrao", "acumulado.csv"}));
}

TEST_F(SaidaTest, DashIsStandardOutputAndAnEmptyNameIsAMistake) {
  Arquivo("e.csv", "Valor\n1\n");
  const auto registros = Arquivo("r.txt", kRegistro + "\r\n");
  auto r = Roda({"write", "Unico", "lancamentos", "e.csv", "-o", "-"});
  EXPECT_EQ(r.codigo, 0) << r.erros;
  EXPECT_EQ(r.saida, kRegistro + "\r\n");
  r = Roda({"read", "Unico", "lancamentos", "r.txt", "--output", "-"});
  EXPECT_EQ(r.codigo, 0) << r.erros;
  EXPECT_NE(r.saida.find("\"1,00\""), std::string::npos) << r.saida;
  EXPECT_FALSE(fs::exists(pasta / "-"));
  for (const char* comando : {"write", "read"}) {
    r = Roda({comando, "Unico", "lancamentos", "e.csv", "-o", ""});
    EXPECT_EQ(r.codigo, 2) << comando;
    EXPECT_EQ(r.saida, "");
    EXPECT_EQ(r.erros.rfind("-o:", 0), 0U) << r.erros;
  }
}

// Every signal whose default action ends the program, core dumps included (SIGBUS too, unless a
// sanitizer handles it).
TEST_F(SaidaTest, ASignalThatEndsTheProgramLeavesNoPendingFile) {
  ::signal(SIGPIPE, SIG_IGN);
  std::vector<int> sinais{SIGTERM, SIGINT,    SIGHUP,  SIGQUIT,  SIGUSR1, SIGUSR2,
                          SIGALRM, SIGVTALRM, SIGXCPU, SIGRTMIN, SIGRTMAX};
#if !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
  sinais.push_back(SIGBUS);
#endif
  for (int sinal : sinais) {
    const fs::path onde = pasta / std::to_string(sinal);
    fs::create_directories(onde);
    int tubo[2];
    ASSERT_EQ(::pipe2(tubo, O_CLOEXEC), 0);
    const int erros =
        ::open((pasta / ".stderr").c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    const pid_t pid = Inicia({"write", "Unico", "lancamentos", "-o", onde.string() + "/saida.txt"},
                             tubo[0], erros, erros, {});
    ::close(tubo[0]);
    ::close(erros);
    // Rows go in (refused ones, so the output stays small) until the output is pending.
    std::string linhas;
    for (int i = 0; i < 16384; ++i) {
      linhas += "abc\n";
    }
    bool pendente = ::write(tubo[1], "Valor\n", 6) == 6;
    for (int i = 0; i < 256 && pendente; ++i) {
      pendente = ::write(tubo[1], linhas.data(), linhas.size()) > 0;
      if (pendente && !Nomes(onde).empty()) {
        break;
      }
    }
    pendente = !Nomes(onde).empty();
    const auto fim = std::chrono::steady_clock::now() + 10s;
    while (!pendente && std::chrono::steady_clock::now() < fim) {
      std::this_thread::sleep_for(10ms);
      pendente = !Nomes(onde).empty();
    }
    EXPECT_TRUE(pendente) << "the temporary file never appeared";
    ::kill(pid, sinal);
    const int codigo = Espera(pid);
    ::close(tubo[1]);
    EXPECT_EQ(codigo, 128 + sinal);
    EXPECT_TRUE(Nomes(onde).empty()) << sinal << ": " << *Nomes(onde).begin();
  }
  ::signal(SIGPIPE, SIG_DFL);
}

// A reader that went away and a file-size limit fail the run like any write error: a message,
// exit status 1 (not the signal's death) and no file left.
TEST_F(SaidaTest, ABrokenPipeOrAFileSizeLimitFailsTheRunAndLeavesNothing) {
  Arquivo("ruim.csv", "Valor\nabc\n2\nxyz\n");
  std::string muitas = "Valor\n";
  for (int i = 0; i < 200; ++i) {
    muitas += std::to_string(i) + "\n";
  }
  Arquivo("e.csv", muitas);
  const auto registros = Arquivo("r.txt", kRegistro + "\r\n" + kRegistro + "\r\n");
  int tubo[2];
  ASSERT_EQ(::pipe2(tubo, O_CLOEXEC), 0);
  ::close(tubo[0]);  // nobody reads
  Opcoes fechado;
  fechado.descritorDosErros = tubo[1];
  auto r = Roda({"write", "Unico", "lancamentos", "ruim.csv", "-o", "sai.txt"}, fechado);
  EXPECT_EQ(r.codigo, 1);
  fechado = {};
  fechado.descritorDaSaida = tubo[1];
  for (const char* comando : {"read", "write"}) {
    r = Roda({comando, "Unico", "lancamentos", comando == std::string("read") ? "r.txt" : "e.csv"},
             fechado);
    EXPECT_EQ(r.codigo, 1) << comando;
    EXPECT_NE(r.erros.find(std::string("erro ao gravar a saída: ") + std::strerror(EPIPE)),
              std::string::npos)
        << comando << r.erros;
  }
  ::close(tubo[1]);

  Arquivo("existe.txt", "anterior\n");
  Opcoes limitado;
  limitado.limiteDeArquivo = 4096;  // 20 records
  for (const char* nome : {"novo.txt", "existe.txt"}) {
    r = Roda({"write", "Unico", "lancamentos", "e.csv", "-o", nome}, limitado);
    EXPECT_EQ(r.codigo, 1) << nome;
    EXPECT_NE(r.erros.find("'" + std::string(nome) + "': " + std::strerror(EFBIG)),
              std::string::npos)
        << r.erros;
  }
  EXPECT_EQ(Le(pasta / "existe.txt"), "anterior\n");
  EXPECT_EQ(Nomes(pasta), (std::set<std::string>{"ruim.csv", "e.csv", "r.txt", "existe.txt"}));
}

// A failed write ends the run within a batch or so, not at the input's end: fed without end, the
// tool stops having read a few megabytes, with the message and the exit status of any write error,
// and leaves no file.
TEST_F(SaidaTest, AFailedWriteStopsTheReading) {
  ::signal(SIGPIPE, SIG_IGN);
  std::string registros;
  std::string linhas;
  std::string objetos;
  for (int i = 0; i < 2000; ++i) {
    registros += kRegistro + "\r\n";
    linhas += "DOC,12\n";
    objetos += "{\"Historico\":\"DOC\",\"Valor\":12}\n";
  }
  const struct {
    std::vector<std::string> argumentos;
    std::string cabecalho, bloco;
  } casos[] = {
      {{"read", "Unico", "lancamentos", "--jsonl"}, "", registros},
      {{"read", "Unico", "lancamentos"}, "", registros},
      {{"write", "Unico", "lancamentos"}, "Historico,Valor\n", linhas},
      {{"write", "Unico", "lancamentos", "--jsonl"}, "", objetos},
  };
  constexpr std::size_t kMuitoMais = std::size_t{64} << 20U;  // past any batches in flight
  for (const auto& c : casos) {
    for (const bool paraArquivo : {false, true}) {
      for (const char* threads : {"1", "8"}) {
        std::vector<std::string> argumentos = c.argumentos;
        argumentos.insert(argumentos.end(), {"--threads", threads});
        Opcoes o;
        if (paraArquivo) {
          argumentos.insert(argumentos.end(), {"-o", "novo.txt"});
          o.limiteDeArquivo = 4096;
        }
        int entrada[2];
        int saida[2];
        ASSERT_EQ(::pipe2(entrada, O_CLOEXEC), 0);
        ASSERT_EQ(::pipe2(saida, O_CLOEXEC), 0);
        ::close(saida[0]);  // nobody reads
        const int erros =
            ::open((pasta / ".stderr").c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        const pid_t pid = Inicia(argumentos, entrada[0], saida[1], erros, o);
        for (const int fd : {entrada[0], saida[1], erros}) {
          ::close(fd);
        }
        // Until the tool has gone (or has taken far more than it may hold).
        std::size_t escritos = 0;
        bool aceita = ::write(entrada[1], c.cabecalho.data(), c.cabecalho.size()) >= 0;
        while (aceita && escritos < kMuitoMais) {
          const ssize_t n = ::write(entrada[1], c.bloco.data(), c.bloco.size());
          aceita = n > 0;
          escritos += aceita ? static_cast<std::size_t>(n) : 0;
        }
        ::close(entrada[1]);
        const std::string caso = c.argumentos[0] + " " + c.argumentos.back() + ", " + threads +
                                 (paraArquivo ? " threads, -o" : " threads");
        EXPECT_EQ(Espera(pid), 1) << caso;
        EXPECT_LT(escritos, kMuitoMais) << caso;
        const std::string erro = Le(pasta / ".stderr");
        EXPECT_EQ(erro, paraArquivo
                            ? "não foi possível gravar 'novo.txt': " +
                                  std::string(std::strerror(EFBIG)) + "\n"
                            : "erro ao gravar a saída: " + std::string(std::strerror(EPIPE)) + "\n")
            << caso;
        EXPECT_EQ(Nomes(pasta), std::set<std::string>{}) << caso;
      }
    }
  }
  ::signal(SIGPIPE, SIG_DFL);
}

// The output reaches the disk before it takes the target's name: a sync that fails leaves the old
// file as it was and no pending file, and fails the run.
TEST_F(SaidaTest, AFailedSyncLeavesTheOldFileInPlace) {
  const fs::path alvo = Arquivo("existe.txt", "anterior\n");
  static off_t sincronizado = -1;  // the size of the file given to the sync
  const struct Restaura {
    ~Restaura() { sincronizaSaida = ::fsync; }
  } restaura;
  sincronizaSaida = [](int fd) {
    struct stat st {};
    sincronizado = ::fstat(fd, &st) == 0 ? st.st_size : -1;
    errno = EIO;
    return -1;
  };
  Parametros p;
  p.sistema = "Unico";
  p.layout = "lancamentos";
  p.saida = alvo.string();
  const auto r = teste::NoProcesso(Escreve, p, "Valor\n1\n");
  EXPECT_EQ(r.codigo, 1);
  EXPECT_EQ(r.erros,
            "não foi possível gravar '" + alvo.string() + "': " + std::strerror(EIO) + "\n");
  EXPECT_EQ(sincronizado, static_cast<off_t>(kRegistro.size() + 2));  // the whole output
  EXPECT_EQ(Le(alvo), "anterior\n");
  EXPECT_EQ(Nomes(pasta), std::set<std::string>{"existe.txt"});
}

// Waits until the tool's main thread is blocked writing to its descriptor `fd` (a full pipe).
bool BloqueadaEscrevendo(pid_t pid, int fd) {
  std::ostringstream esperado;
  esperado << SYS_write << " 0x" << std::hex << fd << " ";
  const auto fim = std::chrono::steady_clock::now() + 60s;
  while (std::chrono::steady_clock::now() < fim) {
    std::ifstream chamada("/proc/" + std::to_string(pid) + "/syscall");
    std::string agora;
    std::getline(chamada, agora);
    if (agora.rfind(esperado.str(), 0) == 0) {
      return true;
    }
    std::this_thread::sleep_for(1ms);
  }
  return false;
}

// A pipe of one page; with `cheio`, filled, so that the next write to it waits.
std::pair<int, int> TuboPequeno(bool cheio) {
  int tubo[2];
  EXPECT_EQ(::pipe2(tubo, O_CLOEXEC), 0);
  ::fcntl(tubo[1], F_SETPIPE_SZ, 4096);
  if (cheio) {
    const int modo = ::fcntl(tubo[1], F_GETFL);
    ::fcntl(tubo[1], F_SETFL, modo | O_NONBLOCK);
    const std::string lixo(4096, '-');
    while (::write(tubo[1], lixo.data(), lixo.size()) > 0) {
    }
    ::fcntl(tubo[1], F_SETFL, modo);
  }
  return {tubo[0], tubo[1]};
}

std::string LeAteOFim(int fd) {
  std::string lido;
  char buffer[65536];
  for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;) {
    lido.append(buffer, static_cast<std::size_t>(n));
  }
  return lido;
}

// An entry of Unico's layout with this text (198 bytes, whatever the text's length).
std::string Lancamento(const std::string& historico) {
  std::string r = "01012024000101000102" + std::string(28, '0') + "00000000152075000001";
  return r + historico + std::string(100 - historico.size(), ' ') + std::string(28, ' ') + "\r\n";
}

// The input is cut by another process far ahead of where the tool reads: the tool cannot get
// there while the pipe it writes to is full and left so. The run fails with the read error, the
// output given ends with a whole record, and -o leaves no file.
TEST_F(SaidaTest, AnInputCutShortWhileReadFailsTheRun) {
  // 300,000 entries, 59 MB, cut at 45 MB; the first in UTF-8, which read warns of.
  std::string registros = Lancamento("Dep\xC3\xB3sito");
  const std::string comum = Lancamento("HISTORICO");
  for (int i = 1; i < 300'000; ++i) {
    registros += comum;
  }
  // 300,000 rows of 91 bytes, 27 MB, cut at 20 MB.
  std::string linhas = "Historico\n";
  for (int i = 0; i < 300'000; ++i) {
    linhas += std::string(90, 'x') + "\n";
  }
  const std::string mensagem = "erro de leitura da entrada: o arquivo diminuiu enquanto era lido\n";
  const std::string incompleta = mensagem + "a saída já escrita está incompleta\n";
  const int nulo = ::open("/dev/null", O_RDWR | O_CLOEXEC);

  // To standard output: the tool waits on it with the pipe full.
  struct Caso {
    std::string comando;
    const std::string* conteudo;
    off_t corte;
  };
  for (const Caso& c : {Caso{"read", &registros, 45'000'037}, Caso{"write", &linhas, 20'000'050}}) {
    const fs::path arquivo = Arquivo("entrada", *c.conteudo);
    const auto [leitura, escrita] = TuboPequeno(false);
    const int erros =
        ::open((pasta / ".stderr").c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    const pid_t pid =
        Inicia({c.comando, "Unico", "lancamentos", "entrada"}, nulo, escrita, erros, {});
    ::close(escrita);
    ::close(erros);
    EXPECT_TRUE(BloqueadaEscrevendo(pid, 1)) << c.comando;
    ASSERT_EQ(::truncate(arquivo.c_str(), c.corte), 0);
    const std::string saida = LeAteOFim(leitura);
    ::close(leitura);
    EXPECT_EQ(Espera(pid), 1) << c.comando;
    const std::string msgs = Le(pasta / ".stderr");
    EXPECT_NE(msgs.find(incompleta), std::string::npos) << c.comando << ": " << msgs;
    EXPECT_EQ(msgs.find("recusada"), std::string::npos) << c.comando << ": " << msgs;
    ASSERT_FALSE(saida.empty()) << c.comando;
    EXPECT_EQ(saida.back(), '\n') << c.comando;
    if (c.comando == "write") {
      EXPECT_EQ(saida.size() % 198, 0U);
      EXPECT_EQ(saida.substr(saida.size() - 198), saida.substr(0, 198));
    } else {
      const std::size_t terceira = saida.find('\n', saida.find('\n') + 1) + 1;  // a common one
      const std::string registro =
          saida.substr(terceira, saida.find('\n', terceira) + 1 - terceira);
      EXPECT_EQ(saida.substr(saida.size() - registro.size()), registro);
    }
  }

  // To a file: the tool waits to warn that the text looks like UTF-8, standard error full.
  const fs::path arquivo = Arquivo("entrada", registros);
  const auto [leitura, escrita] = TuboPequeno(true);
  const pid_t pid = Inicia({"read", "Unico", "lancamentos", "entrada", "-o", "saida.csv"}, nulo,
                           nulo, escrita, {});
  ::close(escrita);
  EXPECT_TRUE(BloqueadaEscrevendo(pid, 2));
  ASSERT_EQ(::truncate(arquivo.c_str(), 45'000'037), 0);
  const std::string msgs = LeAteOFim(leitura);
  ::close(leitura);
  EXPECT_EQ(Espera(pid), 1);
  EXPECT_TRUE(msgs.ends_with(mensagem + "o arquivo de saída não foi gravado\n"))
      << msgs.substr(4096);
  EXPECT_EQ(Nomes(pasta), std::set<std::string>{"entrada"});
  ::close(nulo);
}

// The input rewritten in place with other text of the same size, or grown, while the tool waits
// on a full pipe, its modification time put back or not: the run fails with the read error, the
// output written so far is told incomplete, and -o leaves no file, a refused line counted alone.
// What was added is not read.
TEST_F(SaidaTest, AnInputChangedWhileReadFailsTheRun) {
  struct Mudanca {
    bool acrescenta;
    long repoe;  // -1, or the nanoseconds the old modification time is put back with
  };
  const int nulo = ::open("/dev/null", O_RDWR | O_CLOEXEC);
  for (const Mudanca m : {Mudanca{false, -1}, Mudanca{true, -1}, Mudanca{false, 0},
                          Mudanca{false, 1}, Mudanca{true, 0}}) {
    for (const bool paraArquivo : {false, true}) {
      const std::string caso =
          std::string(m.acrescenta ? "grown" : "rewritten") + ", mtime " +
          (m.repoe < 0 ? "moved" : "put back +" + std::to_string(m.repoe) + "ns") +
          (paraArquivo ? ", -o" : "");
      // Read warns of UTF-8 on standard error; with -o, the second line is refused (a NUL byte).
      std::string registros = Lancamento("Dep\xC3\xB3sito") +
                              Lancamento(paraArquivo ? std::string("HIST\0RICO", 9) : "HISTORICO");
      std::string alterados = registros;
      for (int i = 2; i < 20'000; ++i) {
        registros += Lancamento("HISTORICO");
        alterados += Lancamento("ALTERADO");
      }
      const fs::path arquivo = Arquivo("entrada", registros);
      // Made long ago, so that a change within the clock's tick is seen too.
      const timespec antigo[2] = {{1'000'000'000, 0}, {1'000'000'000, 0}};
      ASSERT_EQ(::utimensat(AT_FDCWD, arquivo.c_str(), antigo, 0), 0);
      const auto [leitura, escrita] = TuboPequeno(paraArquivo);
      const int erros =
          ::open((pasta / ".stderr").c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
      std::vector<std::string> args{"read", "Unico", "lancamentos", "entrada"};
      if (paraArquivo) {
        args.insert(args.end(), {"-o", "saida.csv"});
      }
      const pid_t pid =
          Inicia(args, nulo, paraArquivo ? nulo : escrita, paraArquivo ? escrita : erros, {});
      ::close(escrita);
      ::close(erros);
      EXPECT_TRUE(BloqueadaEscrevendo(pid, paraArquivo ? 2 : 1)) << caso;
      std::ofstream(arquivo, m.acrescenta ? std::ios::binary | std::ios::app
                                          : std::ios::binary | std::ios::in)
          << (m.acrescenta ? Lancamento("ACRESCIMO") : alterados);
      const timespec reposto[2] = {{1'000'000'000, 0}, {1'000'000'000, m.repoe}};
      ASSERT_TRUE(m.repoe < 0 || ::utimensat(AT_FDCWD, arquivo.c_str(), reposto, 0) == 0);
      const std::string lido = LeAteOFim(leitura);
      ::close(leitura);
      EXPECT_EQ(Espera(pid), 1) << caso;
      const std::string msgs = paraArquivo ? lido : Le(pasta / ".stderr");
      EXPECT_TRUE(msgs.ends_with("erro de leitura da entrada: o arquivo mudou enquanto era lido\n" +
                                 std::string(paraArquivo ? "1 linha(s) recusada(s); o arquivo de "
                                                           "saída não foi gravado\n"
                                                         : "a saída já escrita está incompleta\n")))
          << caso << ": " << msgs.substr(msgs.size() - std::min<std::size_t>(msgs.size(), 300));
      EXPECT_EQ(lido.find("ACRESCIMO"), std::string::npos);
      EXPECT_EQ(Nomes(pasta), std::set<std::string>{"entrada"});
    }
  }
  ::close(nulo);
}

// Changes within one tick of the file system's clock leave the times as they were to the tick:
// the size tells a growth then, and nanoseconds a rewrite.
TEST(MudancaNoArquivo, SizeAndTimesToTheNanosecond) {
  struct stat antes {};
  antes.st_size = 1000;
  antes.st_mtim = {1'000'000'000, 500};
  antes.st_ctim = {1'700'000'000, 500};
  struct stat agora = antes;
  EXPECT_EQ(MudancaNoArquivo(antes, agora), "");
  agora.st_size = 1001;
  EXPECT_EQ(MudancaNoArquivo(antes, agora), kMotivoArquivoMudou);
  agora.st_size = 999;
  EXPECT_EQ(MudancaNoArquivo(antes, agora), kMotivoArquivoEncolheu);
  agora = antes;
  ++agora.st_mtim.tv_nsec;
  ++agora.st_ctim.tv_nsec;
  EXPECT_EQ(MudancaNoArquivo(antes, agora), kMotivoArquivoMudou);
  agora.st_mtim = antes.st_mtim;  // put back
  EXPECT_EQ(MudancaNoArquivo(antes, agora), kMotivoArquivoMudou);
}

// A SIGBUS sent by another process while a disk file is mapped is not a page of it lost: it ends
// the program as the other signals do, without the pending file.
TEST_F(SaidaTest, ASigbusSentWhileTheInputIsMappedEndsTheProgram) {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
  GTEST_SKIP() << "the sanitizer handles SIGBUS itself";
#endif
  std::string registros = Lancamento("Dep\xC3\xB3sito");  // read warns of UTF-8 on standard error
  for (int i = 1; i < 1000; ++i) {
    registros += Lancamento("HISTORICO");
  }
  Arquivo("entrada", registros);
  const int nulo = ::open("/dev/null", O_RDWR | O_CLOEXEC);
  const auto [leitura, escrita] = TuboPequeno(true);
  const pid_t pid = Inicia({"read", "Unico", "lancamentos", "entrada", "-o", "saida.csv"}, nulo,
                           nulo, escrita, {});
  ::close(escrita);
  ::close(nulo);
  EXPECT_TRUE(BloqueadaEscrevendo(pid, 2));
  EXPECT_EQ(Nomes(pasta).size(), 2U);  // the input and the pending file
  ::kill(pid, SIGBUS);
  LeAteOFim(leitura);
  ::close(leitura);
  EXPECT_EQ(Espera(pid), 128 + SIGBUS);
  EXPECT_EQ(Nomes(pasta), std::set<std::string>{"entrada"});
}

// Standard output written in place into the input file itself would read back what it writes:
// refused before anything is written. -o onto the input puts the new file in its place.
TEST_F(SaidaTest, OutputOntoItsOwnInput) {
  const std::string registros = kRegistro + "\r\n" + kRegistro + "\r\n";
  const std::string csv = "Valor\n1\n";
  const std::vector<std::vector<std::string>> casos = {
      {"read", "Unico", "lancamentos", "f"},
      {"read", "Unico", "lancamentos", "f", "-o", "-"},
      {"read", "Unico", "lancamentos", "f", "-o", "/dev/stdout"},
      {"read", "Unico", "lancamentos", "f", "-o", "/dev/fd/1"},
      {"write", "Unico", "lancamentos", "f"}};
  for (const auto& args : casos) {
    const std::string antes = args[0] == "read" ? registros : csv;
    const fs::path f = Arquivo("f", antes);
    Opcoes o;
    o.descritorDaSaida = ::open(f.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
    const auto r = Roda(args, o);
    ::close(o.descritorDaSaida);
    EXPECT_EQ(r.codigo, 1) << args.back();
    EXPECT_EQ(r.erros, "a entrada é o próprio arquivo de saída\n") << args.back();
    EXPECT_EQ(Le(f), antes) << args.back();
  }
  // Standard input and output both on the file.
  Opcoes o;
  o.entrada = registros;
  const std::string entrada = (pasta / ".stdin").string();
  o.saida = entrada.c_str();
  auto r = Roda({"read", "Unico", "lancamentos"}, o);
  EXPECT_EQ(r.codigo, 1);
  EXPECT_EQ(Le(pasta / ".stdin"), registros);

  Arquivo("f", registros);
  const std::string esperado = Roda({"read", "Unico", "lancamentos", "f"}).saida;
  r = Roda({"read", "Unico", "lancamentos", "f", "-o", "f"});
  EXPECT_EQ(r.codigo, 0) << r.erros;
  EXPECT_EQ(Le(pasta / "f"), esperado);
  Arquivo("f", csv);
  r = Roda({"write", "Unico", "lancamentos", "f", "-o", "f"});
  EXPECT_EQ(r.codigo, 0) << r.erros;
  EXPECT_EQ(Le(pasta / "f"), kRegistro + "\r\n");
}

// Input and output on one terminal, or both on /dev/null, are no file read back as it is written;
// nor are two files of two file systems with one inode number (a tmpfs numbers its first file 2).
// An empty disk file gives the header.
TEST_F(SaidaTest, InputAndOutputThatAreNotOneFile) {
  const std::string cabecalho = Roda({"read", "Unico", "lancamentos", "/dev/null"}).saida;
  ASSERT_FALSE(cabecalho.empty());
  Arquivo("vazio", "");
  auto r = Roda({"read", "Unico", "lancamentos", "vazio"});
  EXPECT_EQ(r.codigo, 0) << r.erros;
  EXPECT_EQ(r.saida, cabecalho);

  const int erros =
      ::open((pasta / ".stderr").c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  const std::vector<std::string> ler{"read", "Unico", "lancamentos"};
  const int nulo = ::open("/dev/null", O_RDWR | O_CLOEXEC);
  EXPECT_EQ(Espera(Inicia(ler, nulo, nulo, erros, {})), 0) << Le(pasta / ".stderr");
  ::close(nulo);
  const int mestre = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  ASSERT_GE(mestre, 0);
  ASSERT_EQ(::grantpt(mestre), 0);
  ASSERT_EQ(::unlockpt(mestre), 0);
  const int terminal = ::open(::ptsname(mestre), O_RDWR | O_NOCTTY | O_CLOEXEC);
  ASSERT_GE(terminal, 0);
  ASSERT_EQ(::write(mestre, "\x04", 1), 1);  // the end of the input, typed
  EXPECT_EQ(Espera(Inicia(ler, terminal, terminal, erros, {})), 0) << Le(pasta / ".stderr");
  ::close(terminal);
  ::close(mestre);

  // The tool runs in a mount namespace of its own: the file systems go with it, whatever happens.
  const std::string a = (pasta / "a").string();
  const std::string b = (pasta / "b").string();
  const std::string entrada = a + "/f";
  const std::string saida = b + "/f";
  fs::create_directories(a);
  fs::create_directories(b);
  const std::string registro = kRegistro + "\r\n";
  std::string ferramenta = LUMBRAVA_TOOL;
  std::vector<char*> argv{ferramenta.data()};
  std::vector<std::string> args = ler;
  for (std::string& arg : args) {
    argv.push_back(arg.data());
  }
  argv.push_back(nullptr);
  const pid_t pid = ::fork();
  if (pid == 0) {
    if (::unshare(CLONE_NEWNS) != 0 ||
        ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
        ::mount("tmpfs", a.c_str(), "tmpfs", 0, "size=1m") != 0 ||
        ::mount("tmpfs", b.c_str(), "tmpfs", 0, "size=1m") != 0) {
      ::_exit(77);
    }
    const int de = ::open(entrada.c_str(), O_RDWR | O_CREAT | O_EXCL, 0644);
    const int para = ::open(saida.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_APPEND, 0644);
    struct stat sde {};
    struct stat spara {};
    if (::write(de, registro.data(), registro.size()) != static_cast<ssize_t>(registro.size()) ||
        ::lseek(de, 0, SEEK_SET) != 0 || ::fstat(de, &sde) != 0 || ::fstat(para, &spara) != 0 ||
        sde.st_ino != spara.st_ino) {
      ::_exit(78);
    }
    ::dup2(de, 0);
    ::dup2(para, 1);
    ::dup2(erros, 2);
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  const int codigo = Espera(pid);
  ::close(erros);
  if (codigo == 77 || codigo == 78) {
    GTEST_SKIP() << (codigo == 77 ? "no tmpfs could be mounted" : "no two files had one inode");
  }
  EXPECT_EQ(codigo, 0) << Le(pasta / ".stderr");
}

TEST_F(SaidaTest, OutputThatCannotBeWrittenFailsTheRun) {
  Opcoes cheio;
  cheio.saida = "/dev/full";
  for (const std::vector<std::string>& a : {std::vector<std::string>{"systems"},
                                            {"layouts", "Unico"},
                                            {"show", "Unico", "lancamentos"},
                                            {"show", "Unico", "lancamentos", "--json"},
                                            {"--help"},
                                            {"--version"}}) {
    const auto r = Roda(a, cheio);
    EXPECT_EQ(r.codigo, 1) << a[0];
    EXPECT_NE(r.erros.find("erro ao gravar a saída"), std::string::npos) << a[0] << r.erros;
  }
  // The system's reason, and the file when there is one.
  Arquivo("e.csv", "Valor\n1\n");
  Arquivo("r.txt", kRegistro + "\r\n");
  const std::string semEspaco = std::strerror(ENOSPC);
  auto r = Roda({"write", "Unico", "lancamentos", "e.csv", "-o", "/dev/full"});
  EXPECT_EQ(r.codigo, 1);
  EXPECT_NE(r.erros.find("não foi possível gravar '/dev/full': " + semEspaco), std::string::npos)
      << r.erros;
  r = Roda({"read", "Unico", "lancamentos", "r.txt"}, cheio);
  EXPECT_EQ(r.codigo, 1);
  EXPECT_NE(r.erros.find("erro ao gravar a saída: " + semEspaco), std::string::npos) << r.erros;

  Opcoes fechada;
  fechada.saidaFechada = true;
  EXPECT_EQ(Roda({"systems"}, fechada).codigo, 1);
  EXPECT_EQ(Roda({"--version"}, fechada).codigo, 1);
  // Nothing else takes the place of the closed stream.
  EXPECT_EQ(Roda({"write", "Unico", "lancamentos", "e.csv", "-o", "s.txt"}, fechada).codigo, 0);
  EXPECT_EQ(Le(pasta / "s.txt"), kRegistro + "\r\n");
}

TEST_F(SaidaTest, DelimiterMustBeWritableInTheRecordsEncoding) {
  const std::string csv = "Valor,Historico\n1,x\n";
  Opcoes o;
  o.entrada = csv;
  for (const std::string& d : {std::string(""), std::string("a\nb"), std::string("→"),
                               std::string("\xff"), std::string("\xc2\x80")}) {
    const auto r = Roda({"write", "Unico", "lancamentos", "--delimiter", d}, o);
    EXPECT_EQ(r.codigo, 2) << d;
    EXPECT_EQ(r.erros.rfind("--delimiter:", 0), 0U) << r.erros;
    EXPECT_EQ(r.saida, "");
  }
  auto r = Roda({"write", "Unico", "lancamentos", "--delimiter", "€"}, o);
  EXPECT_EQ(r.codigo, 0) << r.erros;
  EXPECT_NE(r.saida.find("\x80"
                         "x\x80"),
            std::string::npos);
  r = Roda({"write", "Unico", "lancamentos", "--delimiter", "¤"}, o);
  EXPECT_EQ(r.codigo, 0) << r.erros;
  EXPECT_NE(r.saida.find("\xa4x\xa4"), std::string::npos);
  r = Roda({"write", "Unico", "lancamentos", "--delimiter", "→", "--encoding", "utf-8"}, o);
  EXPECT_EQ(r.codigo, 0) << r.erros;
  EXPECT_NE(r.saida.find("→x→"), std::string::npos);
}

TEST_F(SaidaTest, UnknownWordsAreNamed) {
  const std::vector<std::pair<std::vector<std::string>, std::string>> casos = {
      {{"bogus"}, "bogus"},
      {{"--bogus"}, "--bogus"},
      {{"read", "--version"}, "--version"},
      {{"write", "Unico", "--bogus"}, "--bogus"},
      {{"uma", "outra"}, "uma outra"},
  };
  for (const auto& [argumentos, palavras] : casos) {
    const auto r = Roda(argumentos);
    EXPECT_EQ(r.codigo, 2) << palavras;
    EXPECT_NE(r.erros.find("not expected: " + palavras + "\n"), std::string::npos) << r.erros;
    EXPECT_EQ(r.erros.find("required"), std::string::npos) << r.erros;
  }
  const auto r = Roda({"read", "Unico"});
  EXPECT_EQ(r.codigo, 2);
  EXPECT_NE(r.erros.find("LAYOUT is required"), std::string::npos) << r.erros;
}

}  // namespace
}  // namespace lumbrava
