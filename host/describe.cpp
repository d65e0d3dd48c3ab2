// `ecfhost ops` and `ecfhost describe`: the operations as a script sees them,
// from the dispatcher's table (kinds) and the contract table (names, keys,
// positions, fields).
#include <iostream>

#include "commands.h"
#include "contracts.h"
#include "dispatcher.h"

namespace ecfhost {

namespace {

// Meaning and unit, when the table gives them.
void Explain(Json& out, const std::string& meaning, const std::string& unit) {
  if (!meaning.empty()) out["meaning"] = meaning;
  if (!unit.empty()) out["unit"] = unit;
}

Json FieldsJson(const std::vector<FieldRule>& fields) {
  Json out = Json::array();
  for (const FieldRule& f : fields) {
    Json field = {{"field", f.name}, {"type", ValueKindName(f.kind)}};
    Explain(field, f.meaning, f.unit);
    if (f.optional) field["required"] = false;
    out.push_back(field);
  }
  return out;
}

// The operation's description; `problem` is set when the contract table
// disagrees with the operation's signature.
Json Describe(const Operation& op, std::string& problem) {
  Json out = {{"op", op.name}, {"result", op.resultKind}};
  const Contract* contract = FindContract(op.name);
  if (contract) {
    out["summary"] = contract->summary;
    out["needs_session"] = contract->talksToPrinter;
    if (!contract->falseMeans.empty()) out["false_means"] = contract->falseMeans;
    if (contract->parameters.size() != op.parameterKinds.size())
      problem = op.name + ": the contract table lists " +
                std::to_string(contract->parameters.size()) + " parameters, the operation takes " +
                std::to_string(op.parameterKinds.size());
  } else {
    out["contract"] = "none: only the parameter kinds are known";
  }
  Json parameters = Json::array();
  for (size_t i = 0; i < op.parameterKinds.size(); ++i) {
    Json p = {{"kind", op.parameterKinds[i]}};
    if (contract && i < contract->parameters.size()) {
      const ParameterRule& rule = contract->parameters[i];
      p = {{"name", rule.name}, {"kind", op.parameterKinds[i]}};
      if (!rule.meaning.empty()) p["meaning"] = rule.meaning;
      if (!rule.keys.empty()) {
        Json keys = Json::array();
        for (const KeyRule& k : rule.keys) {
          Json key = {{"key", k.key}, {"type", ValueKindName(k.kind)}, {"required", k.required}};
          Explain(key, k.meaning, k.unit);
          keys.push_back(key);
        }
        p["bag"] = keys;
        if (rule.otherKeysAllowed) p["other_keys"] = "ignored";
      }
      if (!rule.positions.empty()) {
        Json positions = Json::array();
        for (const PositionRule& r : rule.positions) {
          Json position = {
              {"position", r.index}, {"type", ValueKindName(r.kind)}, {"meaning", r.meaning}};
          if (!r.fields.empty()) position["fields"] = FieldsJson(r.fields);
          positions.push_back(position);
        }
        p["positions"] = positions;
      }
      if (rule.minimumSize > 0) p["minimum_size"] = rule.minimumSize;
      if (!rule.fields.empty()) {
        p["fields"] = FieldsJson(rule.fields);
        if (rule.fieldsOptional) p["may_be_empty"] = true;
        if (rule.readWithRowsOnly) p["read_only_with_rows"] = true;
      }
    }
    parameters.push_back(p);
  }
  out["parameters"] = parameters;
  return out;
}

}  // namespace

int DescribeCommand(const Options& o) {
  if (!o.target.empty()) {
    const Operation* op = FindOperation(o.target);
    if (!op) {
      std::cerr << "ecfhost: no operation " << o.target << " (`ecfhost ops` lists them)\n";
      return kBadUse;
    }
    std::string problem;
    std::cout << Describe(*op, problem).dump(2) << "\n";
    if (!problem.empty()) std::cerr << "ecfhost: " << problem << "\n";
    return problem.empty() ? 0 : 1;
  }
  // Every operation, one JSON line each; a contract naming an operation the
  // dispatcher does not have, or disagreeing with one, fails the command.
  int status = 0;
  for (const Operation& op : Operations()) {
    std::string problem;
    std::cout << Describe(op, problem).dump() << "\n";
    if (!problem.empty()) {
      std::cerr << "ecfhost: " << problem << "\n";
      status = 1;
    }
  }
  for (const Contract& c : Contracts()) {
    if (!FindOperation(c.op)) {
      std::cerr << "ecfhost: the contract table names " << c.op << ", which is no operation\n";
      status = 1;
    }
  }
  return status;
}

int ListOperations() {
  for (const Operation& op : Operations()) {
    std::cout << op.name << "(";
    const Contract* contract = FindContract(op.name);
    for (size_t i = 0; i < op.parameterKinds.size(); ++i) {
      std::cout << (i ? ", " : "");
      if (contract && i < contract->parameters.size())
        std::cout << contract->parameters[i].name << ": ";
      std::cout << op.parameterKinds[i];
    }
    std::cout << ") -> " << op.resultKind << "\n";
  }
  std::cout << "sim {\"command\"} -> integer\nget {\"name\"} -> value\n"
               "set {\"name\", \"value\"} -> none\n"
               "driver {\"name\", \"args\"} -> integer (a driver entry point)\n"
               "records {\"table\"} -> integer (rows of the document register)\n";
  return 0;
}

}  // namespace ecfhost
