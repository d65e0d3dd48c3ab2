#!/usr/bin/env python3
"""The package's house rules, checked on its sources.

One path per concern: in src/ an operator dialog is shown only by the dialog
helpers of the driver layer, a driver entry point is called only inside a
form of the command path, a command's debug line and return code are set
only by that path, and a printer register is named only in its table.

Layers one way: the folders of src/ are the layers that src/CMakeLists.txt
lists from the bottom up (TOV_PACKAGE_LAYERS). A folder includes the
internal headers of its own folder and of the layers beneath it, calls the
exported operations of its own folder and of the layers beneath it, and
includes a public header only when it may call something that header
declares; a public header declares the operations of one layer.

Names in English: no Portuguese name in the C++ of src/ or tests/
(identifiers, test and suite names, parameterised case names) unless a
public header fixes it for the host; the till-day cases are data.

    tools/check_rules.py [REPOSITORY]   check the tree; exit 1 on a breach
    tools/check_rules.py --count [REPOSITORY]   the breaches per rule
    tools/check_rules.py --layers [REPOSITORY]  the layers and each public header's operations
    tools/check_rules.py --names [--list] [REPOSITORY]  the Portuguese names per folder
    tools/check_rules.py --self-test    check the checker on known snippets

Each breach is printed as "file:line: rule: what was found".
"""

import os
import re
import sys
import unittest

# ---- reading C++ -------------------------------------------------------------


def mask(text):
    """The code with comments blanked and string and character literals
    emptied (their quotes kept), line breaks and offsets unchanged; and the
    literals themselves as (offset, contents)."""
    out = []
    literals = []
    i = 0
    n = len(text)
    while i < n:
        c = text[i]
        if text.startswith("//", i):
            end = text.find("\n", i)
            end = n if end < 0 else end
            out.append(" " * (end - i))
            i = end
        elif text.startswith("/*", i):
            end = text.find("*/", i + 2)
            end = n if end < 0 else end + 2
            out.append(re.sub(r"[^\n]", " ", text[i:end]))
            i = end
        elif c == '"' or (c == "'" and not (i > 0 and (text[i - 1].isalnum()))):
            # A quote after a digit is a digit separator, not a literal.
            j = i + 1
            while j < n and text[j] != c:
                j += 2 if text[j] == "\\" else 1
            literals.append((i, text[i + 1 : j]))
            out.append(c + re.sub(r"[^\n]", " ", text[i + 1 : j]) + c)
            i = j + 1
        else:
            out.append(c)
            i += 1
    return "".join(out), literals


def line_of(text, offset):
    return text.count("\n", 0, offset) + 1


def enclosing_calls(code, offset):
    """The names of the calls whose argument lists hold `offset`, innermost
    first ("driver::Command", "Trim", ...)."""
    stack = []
    for i in range(offset):
        c = code[i]
        if c == "(":
            stack.append(i)
        elif c == ")" and stack:
            stack.pop()
    names = []
    for open_at in reversed(stack):
        m = re.search(r"([A-Za-z_][\w:]*)\s*$", code[:open_at])
        names.append(m.group(1) if m else "")
    return names


def argument_text(code, open_at):
    """The text between the parenthesis at `open_at` and its match."""
    depth = 0
    for i in range(open_at, len(code)):
        if code[i] == "(":
            depth += 1
        elif code[i] == ")":
            depth -= 1
            if depth == 0:
                return code[open_at + 1 : i]
    return code[open_at + 1 :]


# ---- what the rules know of the package -------------------------------------


def entry_point_names(repo):
    with open(os.path.join(repo, "include/tov00300/driver_api.h"), encoding="utf-8") as f:
        return re.findall(r"^\s*X\((\w+),", f.read(), re.M)


# The forms of the command path: a driver entry point is called inside the
# argument list of one of these, so its code goes straight to the path.
COMMAND_FORMS = {
    "driver::Command", "driver::Judge", "driver::Stage", "driver::Store",
    "driver::Log", "driver::Silent", "driver::Query",
    # The documents' own opening and closing, which hand the code to
    # driver::Command after they read the document state.
    "documents::OpenOwn", "documents::CloseOwn", "OpenOwn", "CloseOwn",
}

# Where each concern's one path lives; the rule does not apply there.
DIALOG_PATH = ("src/driver/dialogs.cpp",)
COMMAND_PATH = ("src/driver/",)
REGISTER_TABLE = ("src/driver/registers.h", "src/driver/registers.cpp")
# The exported globals are defined (and cleared) in the base layer.
GLOBALS_HOME = ("src/core/state.cpp", "src/core/exported_texts.h")

# The register readers and describers: their register is a name of the table.
REGISTER_READERS = ("ReadRegister", "ReadRegisterText", "ReadRegisterCount", "RegisterWidth",
                    "RegisterDescription", "CounterMovedByOne")

DESCRIPTION_HELPERS = ("Describe", "DescribeReply", "RegisterDescription")
PATH_TEXTS = ("Retorno da Impressora", "rRetornarInformacao_ECF_Daruma")


def in_any(path, places):
    return any(path == p or (p.endswith("/") and path.startswith(p)) for p in places)


# ---- the rules ----------------------------------------------------------------


def check_paths(path, text, entry_points):
    """Breaches of the one-path rules in one file, as (line, rule, detail)."""
    code, literals = mask(text)
    found = []

    def add(offset, rule, detail):
        found.append((line_of(text, offset), rule, detail))

    if not in_any(path, DIALOG_PATH):
        for m in re.finditer(r"(?<![\w.>])(?:hostlib::)?Mensagem\s*\(", code):
            add(m.start(), "dialog", "hostlib::Mensagem outside the dialog helpers")

    if not in_any(path, COMMAND_PATH):
        names = "|".join(map(re.escape, entry_points))
        for m in re.finditer(r"(?<![\w.>])(?:Tov00300::|::)?(%s)\s*\(" % names, code):
            if not any(name in COMMAND_FORMS for name in enclosing_calls(code, m.start())):
                add(m.start(), "command", m.group(1) + " called outside the command path")
        for m in re.finditer(r"\b(stImpDebug|inRetorno)\b", code):
            if not in_any(path, GLOBALS_HOME):
                add(m.start(), "debug line", m.group(1) + " set by hand")
        for m in re.finditer(r"\bImpFisDebug\s*\(", code):
            open_at = m.end() - 1
            args = argument_text(code, open_at)
            end = open_at + len(args) + 1
            words = set(re.findall(r"\w+", args))
            for at, lit in literals:
                if open_at < at < end:
                    words.update(re.findall(r"\w+", lit))
            hits = sorted(words & (set(entry_points) | set(DESCRIPTION_HELPERS)))
            if hits:
                add(m.start(), "debug line",
                    "a command's log line written by hand (" + hits[0] + ")")
        for at, lit in literals:
            for marker in PATH_TEXTS:
                if marker in lit:
                    add(at, "debug line", '"%s" written by hand' % marker)

    if not in_any(path, REGISTER_TABLE):
        for m in re.finditer(r"static_cast\s*<\s*(?:driver::)?Register\s*>", code):
            add(m.start(), "register", "a register number outside the register table")
        readers = "|".join(REGISTER_READERS)
        constants = {m.group(1): m.start() for m in re.finditer(
            r"\bconstexpr\s+(?:int|(?:driver::)?Register)\s+(k\w*)\s*=", code)}
        named = set()
        for m in re.finditer(r"\b(?:%s)\s*\(" % readers, code):
            args = argument_text(code, m.end() - 1)
            if re.match(r"\s*\d", args):
                add(m.start(), "register", "a register number outside the register table")
            named.update(w for w in re.findall(r"\w+", args) if w in constants)
        for name in sorted(named, key=constants.get):
            add(constants[name], "register", "a second name for a register (" + name + ")")
    return found


# ---- layers -------------------------------------------------------------------


def layer_levels(repo):
    """Each folder of src/ that is a layer, with its level from the bottom
    (peers share one); the plain export names (src/exports*.cpp) on top."""
    with open(os.path.join(repo, "src/CMakeLists.txt"), encoding="utf-8") as f:
        text = f.read()
    m = re.search(r"set\(TOV_PACKAGE_LAYERS((?:\s+\"[^\"]*\")+)\s*\)", text)
    if not m:
        raise SystemExit("src/CMakeLists.txt: no set(TOV_PACKAGE_LAYERS ...)")
    levels = {}
    entries = re.findall(r"\"([^\"]*)\"", m.group(1))
    for level, entry in enumerate(entries):
        for folder in entry.split():
            levels[folder] = level
    levels["exports"] = len(entries)
    return levels


def layer_of(path, levels):
    """The layer of a file of src/, or None for the libraries beneath the
    package (runtime, platform), which the layer rules leave alone."""
    parts = path.split("/")
    if len(parts) == 2 and parts[1].startswith("exports"):
        return "exports"
    if len(parts) >= 3 and parts[1] in levels:
        return parts[1]
    return None


def may_reach(own, other, levels):
    """Whether code of layer `own` may include or call what layer `other` holds."""
    return other == own or levels[other] < levels[own]


def namespace_functions(code):
    """The functions declared or defined at the scope of namespace Tov00300
    itself (not in a class, a nested namespace or a function), as
    (name, offset, is_definition)."""
    found = []
    scopes = []  # one entry per open brace: a namespace name, or None
    i = 0
    depth_paren = 0
    statement_start = 0
    while i < len(code):
        c = code[i]
        if c == "(":
            depth_paren += 1
        elif c == ")":
            depth_paren -= 1
        elif c == "{" and depth_paren == 0:
            head = code[statement_start:i]
            m = re.search(r"\bnamespace\s+([\w:]*)\s*$", head)
            if m:
                scopes.append(m.group(1) or "(anonymous)")
            else:
                if scopes and all(s is not None for s in scopes) and _in_package(scopes):
                    f = _function_name(head)
                    if f:
                        found.append((f[0], statement_start + f[1], True))
                scopes.append(None)
                # Skip the body of anything that is not a namespace.
                depth = 1
                i += 1
                while i < len(code) and depth:
                    if code[i] == "{":
                        depth += 1
                    elif code[i] == "}":
                        depth -= 1
                    i += 1
                scopes.pop()
                statement_start = i
                continue
            statement_start = i + 1
        elif c == "}" and depth_paren == 0:
            if scopes:
                scopes.pop()
            statement_start = i + 1
        elif c == ";" and depth_paren == 0:
            if scopes and all(s is not None for s in scopes) and _in_package(scopes):
                f = _function_name(code[statement_start:i])
                if f:
                    found.append((f[0], statement_start + f[1], False))
            statement_start = i + 1
        elif c == "#" and (i == 0 or code[i - 1] == "\n"):
            end = i
            while True:
                end = code.find("\n", end)
                if end < 0 or code[end - 1] != "\\":
                    break
                end += 1
            i = len(code) if end < 0 else end
            statement_start = i
            continue
        i += 1
    return found


def _in_package(scopes):
    path = "::".join(s for s in scopes)
    return path == "Tov00300"


def _function_name(head):
    m = re.match(r"\s*(?:(?:inline|static|extern|constexpr|__attribute__\s*\(\([^)]*\)\))\s+)*"
                 r"[\w:<>,&*\s]+?[\s&*](\w+)\s*\(", head)
    if not m or m.group(1) in ("operator", "if", "while", "for", "switch", "return"):
        return None
    # "int (*name)(...)": a pointer variable, not a function.
    if re.match(r"\s*\*", head[m.end():]):
        return None
    if re.search(r"\b(?:using|typedef|class|struct|enum)\b", head[: m.start(1)]):
        return None
    return m.group(1), m.start(1)


def operations(repo, levels):
    """The package's exported operations: name -> (defining layer, the public
    headers that declare it). Only names declared in a public header and
    defined in exactly one layer."""
    declared = {}
    include = os.path.join(repo, "include/tov00300")
    for name in sorted(os.listdir(include)):
        if name.endswith(".h"):
            with open(os.path.join(include, name), encoding="utf-8") as f:
                code, _ = mask(f.read())
            for fn, _at, _def in namespace_functions(code):
                declared.setdefault(fn, set()).add(name)
    defined = {}
    for path, full in sources(repo):
        layer = layer_of(path, levels)
        if layer is None or layer == "exports" or not path.endswith(".cpp"):
            continue
        with open(full, encoding="utf-8") as f:
            code, _ = mask(f.read())
        for fn, _at, is_definition in namespace_functions(code):
            if is_definition and fn in declared:
                defined.setdefault(fn, set()).add(layer)
    return {fn: (next(iter(layers)), declared[fn])
            for fn, layers in defined.items() if len(layers) == 1}


def header_layers(ops):
    """Each public header with the layers whose operations it declares."""
    headers = {}
    for fn, (layer, names) in ops.items():
        for h in names:
            headers.setdefault(h, {}).setdefault(layer, []).append(fn)
    return headers


# A public header declares the operations of one layer. These declare a few
# of another, for the reason given; the host finds them where it always has.
HEADER_GUESTS = {
    ("readings.h", "documents"):
        "the X reading and the Z reduction record the document they print",
}


def check_layers(path, text, levels, ops, headers):
    """Breaches of the layer rules in one file of src/, as (line, rule, detail)."""
    own = layer_of(path, levels)
    if own is None:
        return []
    code, literals = mask(text)
    found = []
    for at, lit in literals:
        m = re.match(r"(\w+)/[\w./]+$", lit)
        before = code[max(0, code.rfind("\n", 0, at)):at]
        if not m or "#include" not in before:
            continue
        folder = m.group(1)
        if folder in levels and not may_reach(own, folder, levels):
            found.append((line_of(text, at), "layer include",
                          "%s includes %s, a layer it may not reach" % (own, lit)))
        elif folder == "tov00300":
            header = lit.split("/", 1)[1]
            layers = headers.get(header)
            if layers and not any(may_reach(own, l, levels) for l in layers):
                found.append((line_of(text, at), "layer include",
                              "%s includes %s, which declares only %s operations"
                              % (own, lit, "/".join(sorted(layers)))))
    for m in re.finditer(r"(?<![\w.>])(?<!\w::)(?:Tov00300::)?(\w+)\s*\(", code):
        entry = ops.get(m.group(1))
        if entry and not may_reach(own, entry[0], levels):
            found.append((line_of(text, m.start()), "layer call",
                          "%s calls %s of %s" % (own, m.group(1), entry[0])))
    return found


def check_headers(headers):
    """Public headers that declare the operations of more than one layer,
    apart from HEADER_GUESTS, as (header, detail)."""
    found = []
    for header, layers in sorted(headers.items()):
        if len(layers) < 2:
            continue
        home = max(layers, key=lambda l: len(layers[l]))
        for layer, fns in sorted(layers.items()):
            if layer != home and (header, layer) not in HEADER_GUESTS:
                found.append((header, "%s declares %s operations of %s beside those of %s (%s)"
                              % (header, len(fns), layer, home, ", ".join(sorted(fns)))))
    return found


RULES = ("dialog", "command", "debug line", "register", "layer include", "layer call",
         "public header", "name")


def sources(repo):
    root = os.path.join(repo, "src")
    for folder, _dirs, files in sorted(os.walk(root)):
        for name in sorted(files):
            if name.endswith((".cpp", ".h")):
                full = os.path.join(folder, name)
                yield os.path.relpath(full, repo).replace(os.sep, "/"), full


def check_tree(repo):
    entry_points = entry_point_names(repo)
    levels = layer_levels(repo)
    ops = operations(repo, levels)
    headers = header_layers(ops)
    breaches = []
    for path, full in sources(repo):
        with open(full, encoding="utf-8") as f:
            text = f.read()
        for line, rule, detail in check_paths(path, text, entry_points):
            breaches.append((path, line, rule, detail))
        for line, rule, detail in check_layers(path, text, levels, ops, headers):
            breaches.append((path, line, rule, detail))
    for header, detail in check_headers(headers):
        breaches.append(("include/tov00300/" + header, 1, "public header", detail))
    for path, line, kind, name in portuguese_names(repo):
        breaches.append((path, line, "name", "a Portuguese %s (%s)" % (kind, name)))
    return breaches


def print_layers(repo):
    levels = layer_levels(repo)
    by_level = {}
    for folder, level in levels.items():
        by_level.setdefault(level, []).append(folder)
    for level in sorted(by_level):
        print("%d  %s" % (level, " ".join(sorted(by_level[level]))))
    for header, layers in sorted(header_layers(operations(repo, levels)).items()):
        print("%-22s %s" % (header, ", ".join("%s %d" % (l, len(f)) for l, f in sorted(layers.items()))))


def main(argv):
    args = [a for a in argv[1:] if not a.startswith("--")]
    flags = {a for a in argv[1:] if a.startswith("--")}
    if "--self-test" in flags:
        result = unittest.TextTestRunner(verbosity=1).run(
            unittest.defaultTestLoader.loadTestsFromTestCase(SelfTest))
        return 0 if result.wasSuccessful() else 1
    repo = args[0] if args else os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
    if "--layers" in flags:
        print_layers(repo)
        return 0
    if "--names" in flags:
        print_names(repo, "--list" in flags)
        return 0
    breaches = check_tree(repo)
    if "--count" in flags:
        for rule in RULES:
            print("%-12s %d" % (rule, sum(1 for b in breaches if b[2] == rule)))
        return 0
    for path, line, rule, detail in breaches:
        print("%s:%d: %s: %s" % (path, line, rule, detail))
    if breaches:
        print("%d breach(es) of the house rules (see README.md, Layout)" % len(breaches))
        return 1
    return 0


# ---- names --------------------------------------------------------------------

# Internal names are English. The words below mark a name as Portuguese; the
# names the host's interface fixes (everything the public headers declare:
# operations, their parameters, globals, types, driver entry points) are
# exempt. The till-day cases of tests/e2e/cases are data, not C++, and are
# not read.
PORTUGUESE_WORDS = set("""
aberta aberto abertura abre abrir acha acrescimo acumulado agora ajusta ajuste aliq aliquota
aliquotas analisa analise anexa anterior antes apos arquivo arquivos atu atualiza ausente aviso
banco biblioteca bloco botao branco busca cabe cabecalho cadastra cadastrar cadastro cadastros
caixa caminho campo campos cancela cancelado cancelamento cancelar carga carrega cartao caso
casos centavos centraliza chamada chamadas chave codigo colunas comanda comando comandos
completa compor concluido confere confirmada consulta consultas consumidor conta contador
contagem contagens conteudo convenio copia cortado corte cria cripto cupom cupons curto da
dados das de debito depois descont desconto descricao desfecho destrava dia dialogos
diferencas digitos diretorio doador documento documentos dois dos efetua elementos em emite
emprestimo emprestimos encerrado endereco entrada entradas envia enviado enviados erro erros
escreve especiais esperado esquema estado estados estadual falha falhou familia familias
fecha fechado fechamento feito fim fixo forma formas formata gerencial grava gravado guarda
hora horario identificacao identificado ignora imposto impressas impressora imprime indice
informacao inicial interpretado interpretar intocado ja julgamento julho largura le
leitor leitura leituras ler lida lido limite linha linhas liquido lista listas localiza logico
loja longa mais marca meia meios mensagem mensagens mesa metodos minuto minutos modo modulo
monta mostra mostrar movimento movimentos muda mudou nada nao nesta noite nome nomes nova novo
numero ocupada opcoes operacao operador ordem origem ou outro pacote padrao pagamento
pagamentos pago pagto papel parametro pares passo passos pasta pendente perguntado pontos
por porta posicao posicoes pouco preco primeiro procurado qtde quando quebra receber
recebimento recria recusa recusado reducao reducoes registrado registrados registrar
registro relatar relatorio releitura relogio repeticao reporta resposta respostas restante
restantes resultado retorno retornos rodape saida saldo saldos sangria seis sem senha separa
separador serie sincroniza sincronizavel situacao subsidio subtotaliza sucesso suporte
suprimento tabela tabelas tamanho tam teclado tentativas texto textos tipico tipo tipos
todos totalizador totalizadores travar tres tributo tributos troco ultimo um uma vale valida
validacao valor valores vazio venda vendas vender vendido verifica vinculado inicio credito
destino atual novos validos invalido primeira segunda ultima numeros quantidade
vr nr cd mov imp pg cup conf util clie duas quatro cinco dez quinze dezesseis quarenta
nove atras frente adiantada atrasada nenhum aceito cancelamentos descontos igual ponto
virgula inteiro cinquenta segundos aceitos agosto filial parametros simulador biblioteca
""".split())


def words_of(name):
    """The lower-case words of a name: camelCase, digits and underscores split."""
    name = re.sub(r"([a-z])([A-Z])", r"\1 \2", name)
    name = re.sub(r"([A-Z]+)([A-Z][a-z])", r"\1 \2", name)
    return [w for w in re.split(r"[\s_\d]+", name.lower()) if w]


def is_portuguese(name, compounds=()):
    """Whether a word of the name is Portuguese once the host-fixed
    compounds it quotes (an operation in a test name: "AbrePortaCreates...")
    are taken out."""
    for compound in compounds:
        if compound in name:
            before = "" if compound[0].isupper() else r"(?<![A-Za-z])"
            name = re.sub(before + re.escape(compound) + r"(?![a-z])", "_", name)
    return any(w in PORTUGUESE_WORDS for w in words_of(name))


def compounds_of(fixed):
    """The host-fixed names a longer name may quote, longest first: those of
    more than one word or capitalised, also without their underscores and
    with a capital first letter (Data_Imp as "DataImp", inRetorno as
    "InRetorno")."""
    out = set()
    for n in fixed:
        if len(n) > 5 and (len(words_of(n)) > 1 or n[0].isupper()):
            for form in (n, n.replace("_", "")):
                out.update((form, form[0].upper() + form[1:]))
    return sorted(out, key=len, reverse=True)


def host_fixed_names(repo):
    """What the public headers fix: the names they declare (operations,
    globals, types and their members, driver entry points), exempt
    everywhere; and each operation's parameter names, as {operation: names},
    exempt only where that operation is declared or defined with them."""
    everywhere = set()
    params = {}
    root = os.path.join(repo, "include/tov00300")
    for header in sorted(os.listdir(root)):
        with open(os.path.join(root, header), encoding="utf-8") as f:
            code = mask(f.read())[0]
        at_param = set()
        # "Name(", "(*Name)(" and the X-macro's "Name, (": a parameter is the last word
        # of a piece of the list that names a type too.
        for m in re.finditer(r"\b([A-Za-z_]\w*)(?:[\s\\]*,|\s*\))?[\s\\]*\(", code):
            args = argument_text(code, m.end() - 1)
            start = m.end()
            depth = 0
            piece_start = start
            for i in range(start, start + len(args) + 1):
                c = code[i] if i < start + len(args) else ","
                if c in "([{":
                    depth += 1
                elif c in ")]}":
                    depth -= 1
                elif c == "," and depth == 0:
                    piece = code[piece_start:i].split("=")[0]
                    words = list(re.finditer(r"\b[A-Za-z_]\w*", piece))
                    if len(words) >= 2 and "(" not in piece:
                        last = words[-1]
                        at_param.add(piece_start + last.start())
                        params.setdefault(m.group(1), set()).add(last.group(0))
                    piece_start = i + 1
        for m in re.finditer(r"\b[A-Za-z_]\w*", code):
            if m.start() not in at_param:
                everywhere.add(m.group(0))
    return everywhere, params


def parameters_in_use(code, params):
    """The host-fixed parameter names of the operations this code declares,
    defines or calls with them."""
    names = set()
    for m in re.finditer(r"\b([A-Za-z_]\w*)\s*\(", code):
        own = params.get(m.group(1))
        if own:
            names.update(own & set(re.findall(r"\w+", argument_text(code, m.end() - 1))))
    return names


TEST_MACRO = re.compile(r"\b(?:TEST|TEST_F|TEST_P|TYPED_TEST)\s*\(\s*(\w+)\s*,\s*(\w+)\s*\)")


def case_names(code, start):
    """The offsets of the case names of the parameterised suite instantiated
    at `start`: the text that opens each case of its Values(...)."""
    found = []
    for m in re.finditer(r"\bValues\s*\(", code[start : start + len(argument_text(code, code.index("(", start)))]):
        at = start + m.end()
        args = argument_text(code, at - 1)
        depth = 0
        for i in range(at, at + len(args)):
            c = code[i]
            if c in "({[":
                depth += 1
                if c == "{" and depth == 1:
                    first = re.match(r"\s*\"", code[i + 1 :])
                    if first:
                        found.append(i + first.end())
            elif c in ")}]":
                depth -= 1
    return found


def portuguese_names(repo):
    """(path, line, kind, name) for each Portuguese internal name in src/ and
    tests/ (kind: "name", "test name" or "suite"), each name once per file."""
    fixed, params = host_fixed_names(repo)
    compounds = compounds_of(fixed)
    found = []
    for top in ("src", "tests"):
        for folder, _dirs, files in sorted(os.walk(os.path.join(repo, top))):
            rel_folder = os.path.relpath(folder, repo).replace(os.sep, "/")
            for name in sorted(files):
                if not name.endswith((".cpp", ".h", ".c")):
                    continue
                path = rel_folder + "/" + name
                with open(os.path.join(folder, name), encoding="utf-8") as f:
                    text = f.read()
                code, literals = mask(text)
                exempt = fixed | parameters_in_use(code, params)
                tests = {}
                for m in TEST_MACRO.finditer(code):
                    tests.setdefault(m.group(2), m.start(2))
                    if is_portuguese(m.group(1), compounds) or m.group(1) == "PackageTest":
                        found.append((path, line_of(text, m.start(1)), "suite", m.group(1)))
                # A parameterised suite's prefix and the case names it gives
                # in texts are test names too.
                for m in re.finditer(r"\bINSTANTIATE_TEST_SUITE_P\s*\(\s*(\w+)", code):
                    tests.setdefault(m.group(1), m.start(1))
                    for at in case_names(code, m.start()):
                        lit = dict(literals)[at]
                        if re.fullmatch(r"[A-Za-z]\w*", lit) and lit not in fixed \
                                and is_portuguese(lit, compounds):
                            found.append((path, line_of(text, at), "test name", lit))
                seen = set()
                for m in re.finditer(r"\b[A-Za-z_]\w*", code):
                    word = m.group(0)
                    if word in seen or word in exempt or re.fullmatch(r"[A-Z0-9_]+", word) \
                            or not is_portuguese(word, compounds):
                        continue
                    seen.add(word)
                    kind = "test name" if word in tests else "name"
                    found.append((path, line_of(text, m.start()), kind, word))
    return found


def print_names(repo, listing):
    found = portuguese_names(repo)
    if listing:
        for path, line, kind, name in found:
            print("%s:%d: %s: %s" % (path, line, kind, name))
        return
    counts = {}
    for path, _line, kind, _name in found:
        parts = path.split("/")
        place = "/".join(parts[:2]) if len(parts) > 2 else parts[0] + "/ (top)"
        key = (place, kind)
        counts[key] = counts.get(key, 0) + 1
    for (place, kind), n in sorted(counts.items()):
        print("%-22s %-10s %d" % (place, kind, n))
    print("%-22s %-10s %d" % ("total", "", len(found)))


# ---- the checker's own cases ------------------------------------------------------

ENTRY_POINTS = ["iCFAbrirPadrao_ECF_Daruma", "rLerAliquotas_ECF_Daruma", "eFecharSerial_Daruma"]


class SelfTest(unittest.TestCase):
    def rules(self, path, text):
        return [rule for _line, rule, _detail in check_paths(path, text, ENTRY_POINTS)]

    def test_breaches_are_found(self):
        cases = [
            ("src/session/x.cpp", 'hostlib::Mensagem(t, "", "N", "N", 0, "", e, 0, nullptr);', "dialog"),
            ("src/driver/command.cpp", "hostlib::Mensagem(t);", "dialog"),
            ("src/receipt/x.cpp", "const int c = iCFAbrirPadrao_ECF_Daruma();", "command"),
            ("src/session/x.cpp", "return eFecharSerial_Daruma() == 1;", "command"),
            ("src/legal/x.cpp", "Trim(rLerAliquotas_ECF_Daruma(b));", "command"),
            ("src/readings/x.cpp", "stImpDebug = \"x\";", "debug line"),
            ("src/readings/x.cpp", "inRetorno = code;", "debug line"),
            ("src/legal/x.cpp", 'ImpFisDebug("rLerAliquotas_ECF_Daruma : " + x);', "debug line"),
            ("src/config/x.cpp", "ImpFisDebug(driver::RegisterDescription(n, t));", "debug line"),
            ("src/readings/x.cpp", 'f(name + "\\r\\nRetorno da Impressora : " + list);', "debug line"),
            ("src/documents/x.cpp", 'd("rRetornarInformacao_ECF_Daruma (56) - " + s);', "debug line"),
            ("src/receipt/x.cpp", "constexpr int kDoc = 56;\nReadRegisterText(kDoc);", "register"),
            ("src/receipt/x.cpp", "constexpr int kCoo = 26;\nCounterMovedByOne(before, kCoo);", "register"),
            ("src/readings/x.cpp", "driver::ReadRegister(70, {e, false});", "register"),
            ("src/receipt/x.cpp", "ReadRegister(static_cast<driver::Register>(26));", "register"),
            ("src/receipt/x.cpp", "constexpr driver::Register kCoo = driver::Register::kOperationCounter;\n"
             "ReadRegisterCount(kCoo);", "register"),
        ]
        for path, text, rule in cases:
            with self.subTest(text=text):
                self.assertEqual(self.rules(path, text), [rule])

    def test_the_paths_themselves_pass(self):
        cases = [
            ("src/driver/dialogs.cpp", 'hostlib::Mensagem(t, "", "N", "N", 0, "", e, 0, nullptr);'),
            ("src/receipt/x.cpp", 'driver::Command(iCFAbrirPadrao_ECF_Daruma(), "iCFAbrirPadrao_ECF_Daruma", j);'),
            ("src/config/x.cpp", "driver::Query(150, [](char* b) { return rLerAliquotas_ECF_Daruma(b); });"),
            ("src/documents/x.cpp", "documents::CloseOwn(k, eFecharSerial_Daruma(), \"x\", j);"),
            ("src/session/x.cpp", "return driver::Silent(eFecharSerial_Daruma()) == 1;"),
            ("src/driver/command.cpp", "stImpDebug = std::move(description);"),
            ("src/core/state.cpp", "int inRetorno = 0;"),
            ("src/receipt/x.cpp", "// inRetorno keeps the last command's code\nint x = 1;"),
            ("src/receipt/x.cpp", 'ImpFisDebug(Utf8ToCp1252("Resposta perdida: o item foi registrado"));'),
            ("src/receipt/x.cpp", 'auto t = "a \\" iCFAbrirPadrao_ECF_Daruma()";'),
            ("src/receipt/x.cpp", "void AnexaMensagem(Rodape& r);\nAnexaMensagem(r);"),
            ("src/receipt/x.cpp", "driver::ReadRegisterCount(driver::Register::kOperationCounter);"),
            ("src/receipt/x.cpp", "constexpr int kLarguraRodape = 48;\nCopy(t, 1, kLarguraRodape);"),
            ("src/readings/x.cpp", "std::string Amount(driver::Register r) { return ReadRegister(r).text; }"),
            ("src/driver/registers.h", "enum class Register : int { kGrandTotal = 1 };"),
        ]
        for path, text in cases:
            with self.subTest(text=text):
                self.assertEqual(self.rules(path, text), [])

    LEVELS = {"core": 0, "driver": 1, "readings": 2, "session": 3, "config": 3, "documents": 4,
              "receipt": 5, "legal": 5, "exports": 6}
    OPS = {"Atu_TotGeral": ("readings", {"readings.h"}), "Nr_Cupom": ("receipt", {"receipt.h"}),
           "VerificaData": ("session", {"session.h"}), "ImpFisDebug": ("core", {"frame.h"})}
    HEADERS = {"readings.h": {"readings": ["Atu_TotGeral"]}, "receipt.h": {"receipt": ["Nr_Cupom"]},
               "session.h": {"session": ["VerificaData"]}, "frame.h": {"core": ["ImpFisDebug"]}}

    def layer_rules(self, path, text):
        return [rule for _line, rule, _detail in
                check_layers(path, text, self.LEVELS, self.OPS, self.HEADERS)]

    def test_layers_reach_only_themselves_and_what_lies_beneath(self):
        cases = [
            ("src/session/x.cpp", "Atu_TotGeral(bag);", []),
            ("src/readings/x.cpp", "Atu_TotGeral(bag);", []),
            ("src/config/x.cpp", "VerificaData(e, d, t, m, true);", ["layer call"]),
            ("src/readings/x.cpp", "Tov00300::Nr_Cupom(\"\", e);", ["layer call"]),
            ("src/documents/x.cpp", "s = driver::Nr_Cupom(e); d.Nr_Cupom(e);", []),
            ("src/exports.cpp", "Nr_Cupom(\"\", e);", []),
            ("src/runtime/x.cpp", "#include \"receipt/x.h\"", []),
            ("src/receipt/x.cpp", "#include \"documents/nonfiscal_receipt.h\"", []),
            ("src/documents/x.cpp", "#include \"receipt/retry_question.h\"", ["layer include"]),
            ("src/session/x.cpp", "#include \"config/printer_lists.h\"", ["layer include"]),
            ("src/core/x.cpp", "#include \"tov00300/session.h\"", ["layer include"]),
            ("src/core/x.cpp", "#include \"tov00300/frame.h\"\n#include \"tov00300/state.h\"", []),
            ("src/receipt/x.cpp", "// Nr_Cupom(\"\", e) in a comment\nauto t = \"VerificaData(\";", []),
        ]
        for path, text, rules in cases:
            with self.subTest(path=path, text=text):
                self.assertEqual(self.layer_rules(path, text), rules)

    def test_operations_are_what_namespace_tov00300_itself_declares(self):
        header = (
            "namespace Tov00300 {\n"
            "bool AbreCupom(Variant& bag);\n"
            "extern int (*iX)(void);\n"
            "class TdtmDaruma300 { std::string ComparaData_Hora(const std::string& e); };\n"
            "namespace hostlib { bool Mensagem(std::string_view t); }\n"
            "inline bool Inline(int x) { return helper(x); }\n"
            "using Fn = bool (*)(int);\n"
            "}\n")
        names = [(n, d) for n, _at, d in namespace_functions(mask(header)[0])]
        self.assertEqual(names, [("AbreCupom", False), ("Inline", True)])
        self.assertEqual(check_headers({"session.h": {"session": ["A", "B"], "core": ["C"]}})[0][0],
                         "session.h")
        self.assertEqual(check_headers({"readings.h": {"readings": ["A", "B"], "documents": ["X"]}}),
                         [])

    def test_portuguese_names_are_found_outside_what_the_host_fixes(self):
        compounds = compounds_of({"Data_Imp", "msgPadrao", "Cripto"})
        for name in ("kLarguraMesa", "TipoAusente", "esquema_", "ConhecidoRecebeNome"):
            self.assertTrue(is_portuguese(name, compounds), name)
        for name in ("kTableNumberWidth", "DataImpGivesTheDate", "kMsgPadraoTexts",
                     "TextNotMadeByCriptoFails", "cardSale"):
            self.assertFalse(is_portuguese(name, compounds), name)
        params = {"AbreCupom": {"stEsquema", "cpf"}}
        self.assertEqual(parameters_in_use("bool AbreCupom(const std::string& stEsquema) {", params),
                         {"stEsquema"})
        self.assertEqual(parameters_in_use("void Helper(const std::string& stEsquema);", params),
                         set())
        code, literals = mask('INSTANTIATE_TEST_SUITE_P(Casos, T, ::testing::Values('
                              'Caso{"UmDia", {"Dinheiro"}, "NADA"}, Caso{"Outro", 1}));')
        texts = dict(literals)
        self.assertEqual([texts[at] for at in case_names(code, 0)], ["UmDia", "Outro"])

    def test_lines_are_those_of_the_source(self):
        text = "/* a\n b */\nint x;\n// c\nconst int c = iCFAbrirPadrao_ECF_Daruma();\n"
        self.assertEqual([b[0] for b in check_paths("src/x/y.cpp", text, ENTRY_POINTS)], [5])


if __name__ == "__main__":
    sys.exit(main(sys.argv))
