#include "common/registra_erro.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "common/texto.h"
#include "tests/apoio.h"
#include "tool/arquivos.h"

namespace lumbrava {
namespace {

class RegistraErroTest : public teste::PastaDoProgramaPropria {
 protected:
  void TearDown() override {
    DefinePastaDosRegistros(std::nullopt);
    PastaDoProgramaPropria::TearDown();
  }
  static std::string NomeDeHoje() {
    const std::time_t agora =
        std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm local{};
    localtime_r(&agora, &local);
    return NomeArquivoErros(local.tm_mday, local.tm_mon + 1, local.tm_year + 1900);
  }
  static std::filesystem::perms Permissoes(const std::filesystem::path& p) {
    return std::filesystem::symlink_status(p).permissions();
  }

  std::vector<std::string> Linhas() {
    std::vector<std::string> linhas;
    for (const auto& e : std::filesystem::directory_iterator(pasta)) {
      if (e.is_symlink() || !e.is_regular_file()) {
        continue;
      }
      std::ifstream f(e.path());
      for (std::string l; std::getline(f, l);) {
        linhas.push_back(l);
      }
    }
    return linhas;
  }
};

TEST_F(RegistraErroTest, WritesTheDaysFileWithTwoQuotedLines) {
  RegistraErro("mdlTeste::Procedimento::falhou", "um", "", "tres", "", {13, "Type mismatch"});
  const std::time_t agora = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
  std::tm local{};
  localtime_r(&agora, &local);
  const std::string nome = NomeArquivoErros(local.tm_mday, local.tm_mon + 1, local.tm_year + 1900);
  ASSERT_TRUE(std::filesystem::exists(pasta / nome)) << nome;
  EXPECT_TRUE(std::regex_match(nome, std::regex(R"(\d{6}\.EXP)")));
  const auto linhas = Linhas();
  ASSERT_EQ(linhas.size(), 2U);
  EXPECT_TRUE(std::regex_match(
      linhas[0],
      std::regex(
          R"re("\d\d/\d\d/\d\d \d\d:\d\d:\d\d:mdlTeste::Procedimento::falhou,um,,tres,'"\r)re")))
      << linhas[0];
  EXPECT_EQ(linhas[1], "\"Pelidor Error # 13 Type mismatch\"\r");
  RegistraErro("outra");
  EXPECT_EQ(Linhas().size(), 4U);  // appended to the same day's file
}

TEST_F(RegistraErroTest, CutsEachPartTo600Characters) {
  const std::string longa(700, 'x');
  const std::string acentos = std::string(599, 'a') + "çç";
  RegistraErro(longa, acentos, "", "", "", {1, std::string(650, 'd')});
  const auto linhas = Linhas();
  ASSERT_EQ(linhas.size(), 2U);
  EXPECT_NE(linhas[0].find(":" + std::string(600, 'x') + ","), std::string::npos);
  EXPECT_EQ(linhas[0].find(std::string(601, 'x')), std::string::npos);
  EXPECT_NE(linhas[0].find("," + std::string(599, 'a') + "ç,"), std::string::npos);
  EXPECT_EQ(linhas[1], "\"Pelidor Error # 1 " + std::string(600, 'd') + "\"\r");
}

TEST_F(RegistraErroTest, AFailureToWriteIsSwallowed) {
  DefinePastaPrograma(pasta / "nao-existe" / "nem-esta");
  EXPECT_NO_THROW(RegistraErro("sem lugar"));
  EXPECT_TRUE(Linhas().empty());
}

// The program may send its logs elsewhere: the folders are made for their owner alone and the
// day's file for its owner alone, whatever the umask; the program's folder is left as it is.
TEST_F(RegistraErroTest, ALogsFolderOfItsOwnIsMadeWhenFirstWritten) {
  namespace fs = std::filesystem;
  EXPECT_EQ(PastaDosRegistros(), pasta);  // the program's folder unless chosen
  const fs::path estado = pasta / "estado";
  const fs::path registros = estado / "programa";
  DefinePastaDosRegistros(registros);
  EXPECT_EQ(PastaDosRegistros(), registros);
  EXPECT_FALSE(fs::exists(estado));  // nothing made before there is something to write
  const mode_t mascara = ::umask(0);
  RegistraErro("primeira");
  RegistraErro("segunda");
  ::umask(mascara);
  const auto soDono = fs::perms::owner_all;
  EXPECT_EQ(Permissoes(estado), soDono);
  EXPECT_EQ(Permissoes(registros), soDono);
  EXPECT_EQ(Permissoes(registros / NomeDeHoje()), fs::perms::owner_read | fs::perms::owner_write);
  std::ifstream f(registros / NomeDeHoje());
  std::string texto((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
  EXPECT_NE(texto.find(":primeira,,,,'"), std::string::npos) << texto;
  EXPECT_NE(texto.find(":segunda,,,,'"), std::string::npos) << texto;

  // An empty folder turns the log off; none brings the program's folder back.
  DefinePastaDosRegistros(fs::path());
  RegistraErro("em lugar nenhum");
  DefinePastaDosRegistros(std::nullopt);
  EXPECT_EQ(Linhas().size(), 0U);
  RegistraErro("de volta");
  EXPECT_EQ(Linhas().size(), 2U);
  EXPECT_EQ(fs::file_size(registros / NomeDeHoje()), texto.size());
}

// What stands at the log's name and is not a file is left alone, and nothing is logged.
TEST_F(RegistraErroTest, ALinkOrAFifoAtTheLogsNameIsLeftAlone) {
  namespace fs = std::filesystem;
  const fs::path vitima = pasta / "vitima";
  std::ofstream(vitima) << "intocada\n";
  fs::create_symlink(vitima, pasta / NomeDeHoje());
  RegistraErro("pela ligacao");
  EXPECT_TRUE(fs::is_symlink(pasta / NomeDeHoje()));
  EXPECT_EQ(Linhas(), std::vector<std::string>{"intocada"});
  fs::remove(pasta / NomeDeHoje());
  ASSERT_EQ(::mkfifo((pasta / NomeDeHoje()).c_str(), 0600), 0);
  RegistraErro("pela fila");  // returns: nobody reads the FIFO
  EXPECT_EQ(fs::status(pasta / NomeDeHoje()).type(), fs::file_type::fifo);
}

// The tool's log folder: the state folder the user names, else the one in their home.
TEST(PastaDoRegistroDaFerramenta, IsTheUsersStateFolder) {
  EXPECT_EQ(PastaDoRegistroDaFerramenta("/var/estado", "/home/ana"),
            "/var/estado/lumbrava-layouts");
  EXPECT_EQ(PastaDoRegistroDaFerramenta(nullptr, "/home/ana"),
            "/home/ana/.local/state/lumbrava-layouts");
  // A relative or empty value is passed over; without a home there is no log.
  EXPECT_EQ(PastaDoRegistroDaFerramenta("estado", "/home/ana"),
            "/home/ana/.local/state/lumbrava-layouts");
  EXPECT_EQ(PastaDoRegistroDaFerramenta("", "/home/ana"),
            "/home/ana/.local/state/lumbrava-layouts");
  EXPECT_TRUE(PastaDoRegistroDaFerramenta(nullptr, nullptr).empty());
  EXPECT_TRUE(PastaDoRegistroDaFerramenta("", "casa").empty());
}

// Entries logged from several threads at once stay whole: each first line is followed by its own
// second line, however long the parts.
TEST_F(RegistraErroTest, EntriesFromSeveralThreadsDoNotMix) {
  constexpr int kThreads = 6;
  constexpr int kEntradas = 40;
  const std::string longa(590, 'x');
  std::string acentuado;  // 590 characters, 1180 bytes
  for (int k = 0; k < 295; ++k) {
    acentuado += "çã";
  }
  std::vector<std::thread> grupo;
  for (int t = 0; t < kThreads; ++t) {
    grupo.emplace_back([&, t] {
      for (int i = 0; i < kEntradas; ++i) {
        const std::string marca = "<" + std::to_string(t) + "." + std::to_string(i) + ">";
        RegistraErro(marca + longa, acentuado, acentuado, acentuado, acentuado,
                     {t, marca + acentuado});
      }
    });
  }
  for (auto& g : grupo) {
    g.join();
  }
  const auto linhas = Linhas();
  ASSERT_EQ(linhas.size(), 2U * kThreads * kEntradas);
  std::set<std::string> marcas;
  for (std::size_t i = 0; i < linhas.size(); i += 2) {
    const auto fim = linhas[i].find('>');
    const auto inicio = linhas[i].rfind('<', fim);
    ASSERT_NE(fim, std::string::npos) << i;
    ASSERT_NE(inicio, std::string::npos) << i;
    const std::string marca = linhas[i].substr(inicio, fim + 1 - inicio);
    EXPECT_NE(linhas[i + 1].find(" " + marca + "çã"), std::string::npos) << marca;
    EXPECT_TRUE(marcas.insert(marca).second) << marca;
  }
}

TEST(NomeArquivoErros, IsDayMonthAndTwoDigitYear) {
  EXPECT_EQ(NomeArquivoErros(6, 12, 2026), "061226.EXP");
  EXPECT_EQ(NomeArquivoErros(31, 1, 2000), "310100.EXP");
}

TEST(Texto, UpperCasesAccentedLettersAndCountsCharacters) {
  EXPECT_EQ(Maiusculas("ação çÇ ü ñ ß x"), "AÇÃO ÇÇ Ü Ñ ß X");
  EXPECT_EQ(ContaCaracteres("ação"), 4U);
  EXPECT_EQ(Subtexto("ação€x", 2, 3), "ão€");
  EXPECT_TRUE(EhUtf8Valido("ação €"));
  EXPECT_FALSE(EhUtf8Valido("a\xE7\xE3o"));
  EXPECT_FALSE(EhUtf8Valido("\xC0\xAF"));  // overlong
  EXPECT_FALSE(EhUtf8Valido("\xE2\x82"));  // cut short
}

// One reading of UTF-8 for the whole program: the shortest form of each character up to U+10FFFF
// and nothing else. A refusal leaves the place and the character as they were; upper case keeps
// the bytes it cannot read as they are.
TEST(Texto, ReadsOnlyWellFormedUtf8) {
  struct Caso {
    std::string texto;
    char32_t caractere;  // 0: refused
    std::size_t bytes;
  };
  const std::vector<Caso> casos = {
      {"\x7F", 0x7F, 1},
      {"\xC2\x80", 0x80, 2},
      {"\xDF\xBF", 0x7FF, 2},
      {"\xE0\xA0\x80", 0x800, 3},
      {"\xED\x9F\xBF", 0xD7FF, 3},
      {"\xEE\x80\x80", 0xE000, 3},
      {"\xEF\xBF\xBF", 0xFFFF, 3},
      {"\xF0\x90\x80\x80", 0x10000, 4},
      {"\xF4\x8F\xBF\xBF", 0x10FFFF, 4},
      // overlong forms, surrogates, past U+10FFFF
      {"\xC0\x80", 0, 0},
      {"\xC1\xBF", 0, 0},
      {"\xE0\x9F\xBF", 0, 0},
      {"\xF0\x8F\xBF\xBF", 0, 0},
      {"\xED\xA0\x80", 0, 0},
      {"\xED\xBF\xBF", 0, 0},
      {"\xF4\x90\x80\x80", 0, 0},
      {"\xF5\x80\x80\x80", 0, 0},
      // a stray continuation, a missing one, a character cut short by the text's end
      {"\x80", 0, 0},
      {"\xFF", 0, 0},
      {"\xC3"
       "a",
       0, 0},
      {"\xE2\x82"
       "a",
       0, 0},
      {"\xE2\x82", 0, 0},
      {"\xF0\x9F\x98", 0, 0},
  };
  for (const Caso& caso : casos) {
    const std::string texto = "x" + caso.texto;
    std::size_t i = 1;
    char32_t c = U'?';
    const bool leu = ProximoCaractere(texto, i, c);
    EXPECT_EQ(leu, caso.caractere != 0) << caso.texto;
    EXPECT_EQ(c, leu ? caso.caractere : U'?') << caso.texto;
    EXPECT_EQ(i, 1 + caso.bytes) << caso.texto;
    EXPECT_EQ(EhUtf8Valido(std::string(15, 'a') + caso.texto), leu) << caso.texto;
  }
  EXPECT_EQ(Maiusculas("a\xC0\x80"
                       "b\xED\xA0\x80"
                       "ç\xC3"),
            "A\xC0\x80"
            "B\xED\xA0\x80"
            "Ç\xC3");
}

// Characters are found sixteen and eight bytes at a time: every character of long texts of one-
// to four-byte characters, and of texts that begin with a stray continuation byte, is where a
// walk byte by byte finds it.
TEST(Texto, FindsEveryCharacterOfLongTexts) {
  const char* pecas[] = {"a", "ç", "€", "\xF0\x9F\x98\x80", "\x80", " "};
  std::string texto;
  for (std::size_t i = 0; texto.size() < 120; ++i) {
    texto += pecas[(i * 7 + i / 5) % std::size(pecas)];
  }
  for (const std::string& t : {texto, std::string("\x80\xBF") + texto, texto.substr(0, 17)}) {
    std::vector<std::size_t> inicios;  // where the characters begin, byte by byte
    for (std::size_t b = 0; b < t.size(); ++b) {
      if ((static_cast<unsigned char>(t[b]) & 0xC0U) != 0x80U) {
        inicios.push_back(b);
      }
    }
    PercursoUtf8 percurso(t);
    for (std::size_t c = 0; c <= inicios.size() + 2; ++c) {
      const std::size_t esperado = c < inicios.size() ? inicios[c] : t.size();
      EXPECT_EQ(DeslocamentoDoCaractere(t, c), esperado) << c;
      EXPECT_EQ(percurso.Deslocamento(c), esperado) << c;  // in increasing order
      EXPECT_EQ(percurso.Antes(), std::min(c, inicios.size())) << c;
    }
    EXPECT_EQ(ContaCaracteres(t), inicios.size());
  }
}

TEST(Texto, RepeteAndCopiaWriteExactlyTheirBytes) {
  const std::string origem = "0123456789abcdefghijklmnopqrstuvwxyz";
  for (std::size_t n = 0; n <= origem.size(); ++n) {
    std::string destino(50, '#');
    EXPECT_EQ(Repete(destino.data() + 1, '7', n), destino.data() + 1 + n);
    EXPECT_EQ(destino, "#" + std::string(n, '7') + std::string(49 - n, '#')) << n;
    destino.assign(50, '#');
    EXPECT_EQ(Copia(destino.data() + 1, std::string_view(origem).substr(0, n)),
              destino.data() + 1 + n);
    EXPECT_EQ(destino, "#" + origem.substr(0, n) + std::string(49 - n, '#')) << n;
  }
}

}  // namespace
}  // namespace lumbrava
